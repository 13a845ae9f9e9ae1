// The "Help" page: the offset keys, the help file, and the product's web
// site and support address as links.
#include <windows.h>

#include <shellapi.h>

#include <new>

#include "display/options/help_file.h"
#include "wmp/property_page.h"
#include "wmp/property_pages.h"
#include "wmp/resource_ids.h"

namespace {

constexpr PageResources kHelpPageResources = {kDialogHelpPage, kStringHelpPage,
                                              kStringHelpHelpFile, kStringHelpDocument};

constexpr const char* kWebSite = "http://www.kamiru-karaoke.com/";
constexpr const char* kSupportMail = "mailto:support@kamiru-karaoke.com";
constexpr COLORREF kLinkColor = 0xFF0000;
constexpr COLORREF kHoverColor = 0xFFFFFF;

class HelpPage : public PropertyPage {
 public:
  explicit HelpPage(IUnknown* outer) : PropertyPage(outer, kHelpPageResources) {}

 protected:
  void OnInitDialog() override {
    webHovered_ = mailHovered_ = tracking_ = false;
  }

  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override {
    switch (message) {
      case WM_COMMAND:
        if (LOWORD(wParam) != kControlMoreInfo || HIWORD(wParam) != BN_CLICKED) return false;
        OpenHelpFile(Dialog());
        result = TRUE;
        return true;
      case WM_NCHITTEST: {
        const POINT cursor = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        UpdateHover(kControlWebLink, webHovered_, cursor);
        UpdateHover(kControlMailLink, mailHovered_, cursor);
        return false;  // the default hit test stands
      }
      case WM_MOUSEMOVE:
        if (!tracking_) {
          TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, Dialog(), 0};
          tracking_ = TrackMouseEvent(&track) != FALSE;
        }
        return false;
      case WM_MOUSELEAVE:
        tracking_ = false;
        if (webHovered_) {
          webHovered_ = false;
          Repaint(kControlWebLink);
        } else if (mailHovered_) {
          mailHovered_ = false;
          Repaint(kControlMailLink);
        }
        return false;
      case WM_SETCURSOR:
        if (!webHovered_ && !mailHovered_) return false;
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
        SetWindowLongPtrA(Dialog(), DWLP_MSGRESULT, TRUE);
        result = TRUE;
        return true;
      case WM_CTLCOLORSTATIC: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (id != kControlWebLink && id != kControlMailLink) return false;
        const bool hovered = id == kControlWebLink ? webHovered_ : mailHovered_;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, hovered ? kHoverColor : kLinkColor);
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
        return true;
      }
      case WM_LBUTTONDOWN:
        if (webHovered_) {
          ShellExecuteA(Dialog(), "Open", kWebSite, nullptr, nullptr, SW_SHOWNORMAL);
        } else if (mailHovered_) {
          ShellExecuteA(Dialog(), "Open", kSupportMail, nullptr, nullptr, SW_SHOWNORMAL);
        } else {
          return false;
        }
        result = TRUE;
        return true;
      default:
        return false;
    }
  }

 private:
  void Repaint(int control) {
    HWND link = GetDlgItem(Dialog(), control);
    InvalidateRect(link, nullptr, TRUE);
    UpdateWindow(link);
  }

  void UpdateHover(int control, bool& hovered, POINT cursor) {
    RECT rect;
    HWND link = GetDlgItem(Dialog(), control);
    const bool inside = link && GetWindowRect(link, &rect) && PtInRect(&rect, cursor);
    if (inside == hovered) return;
    hovered = inside;
    Repaint(control);
  }

  bool webHovered_ = false;
  bool mailHovered_ = false;
  bool tracking_ = false;
};

}  // namespace

HRESULT CreateHelpPage(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  HelpPage* page = new (std::nothrow) HelpPage(outer);
  if (!page) return E_OUTOFMEMORY;
  return FinishPageCreation(page, iid, object);
}
