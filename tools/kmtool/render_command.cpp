#include "tools/kmtool/render_command.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "display/win32/display_settings_win32.h"
#include "display/win32/gdi_holders.h"
#include "display/win32/karaoke_display.h"
#include "tools/bmp/bmp_writer.h"

int RunRender(const RenderRequest& request) {
  KaraokeDisplay display;
  bool supported = true;
  if (LoadLyricsByExtension(request.file, request.host, display.lyrics, supported) !=
      LoadStatus::Loaded) {
    std::fprintf(stderr, supported ? "kmtool: cannot load %s\n" : "kmtool: unsupported file type: %s\n",
                 request.file);
    return supported ? 1 : 2;
  }
  // The settings as the plug-ins read them from the registry.
  DisplaySettingsStore& store = ModuleDisplaySettings();
  AttachDisplayUser(store);
  TakeLiveSettings(store, display.settings);
  SetKaraokeLayout(display, request.layout);

  // The target: a 32-bit DIB section, as the players' memory device
  // contexts are.
  void* bits = nullptr;
  MemoryDc target(nullptr);
  GdiObject<HBITMAP> bitmap(CreateDib32(target.get(), request.width, request.height, &bits));
  if (!target || !bitmap) {
    std::fputs("kmtool: cannot create the frame bitmap\n", stderr);
    return 1;
  }
  Selection selection(target.get(), bitmap.get());
  const RECT rect = {0, 0, request.width, request.height};
  TimingOffset timing;
  int status = 0;
  for (int time : request.times) {
    const HRESULT hr =
        RenderKaraokeFrame(display, store, target.get(), rect, time, true, timing, nullptr);
    GdiFlush();
    if (FAILED(hr)) {
      std::fprintf(stderr, "kmtool: frame at %d failed (0x%08lX)\n", time, static_cast<unsigned long>(hr));
      status = 1;
      continue;
    }
    const std::string path = std::string(request.outputPrefix) + "-" + std::to_string(time) + ".bmp";
    if (!WriteBmp24(path.c_str(), static_cast<const uint32_t*>(bits), request.width,
                    request.height)) {
      std::fprintf(stderr, "kmtool: cannot write %s\n", path.c_str());
      status = 1;
    }
  }
  DetachDisplayUser(store);
  return status;
}
