// The "General" page: the display options form inside the player's
// property frame.
#include <new>

#include "display/options/options_form.h"
#include "display/win32/display_settings_win32.h"
#include "wmp/property_page.h"
#include "wmp/property_pages.h"
#include "wmp/resource_ids.h"

namespace {

constexpr PageResources kGeneralPageResources = {kDialogGeneralPage, kStringGeneralPage,
                                                 kStringGeneralHelpFile, kStringGeneralDocument};

class GeneralPage : public PropertyPage {
 public:
  explicit GeneralPage(IUnknown* outer) : PropertyPage(outer, kGeneralPageResources) {
    form_.ids = &kWmpOptionsIds;
    form_.preselect = FolderPreselect::kDirectoryEdit;
    form_.markDirty = [](void* page) { static_cast<GeneralPage*>(page)->MarkDirty(); };
    form_.dirtyContext = this;
  }

 protected:
  void OnInitDialog() override {
    // Turning back to the page keeps the edits not yet applied.
    DisplaySettingsStore& store = ModuleDisplaySettings();
    if (Dirty()) {
      ReopenOptionsForm(form_, Dialog());
      return;
    }
    // Without a visualization the store holds nothing yet: start from the
    // stored record.
    if (store.users == 0) ReloadDisplaySettings(store);
    OpenOptionsForm(form_, Dialog(), store);
  }
  void OnDestroyDialog() override { CloseOptionsForm(form_); }
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override {
    return HandleOptionsMessage(form_, message, wParam, lParam, result);
  }
  void OnApply() override {
    DisplaySettingsStore& store = ModuleDisplaySettings();
    CommitOptionsForm(form_, store);
    // No visualization would take the change up or save it: store it now.
    if (store.users == 0 && store.changed) CommitLiveSettings(store);
  }

 private:
  OptionsForm form_;
};

}  // namespace

HRESULT CreateGeneralPage(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  GeneralPage* page = new (std::nothrow) GeneralPage(outer);
  if (!page) return E_OUTOFMEMORY;
  return FinishPageCreation(page, iid, object);
}
