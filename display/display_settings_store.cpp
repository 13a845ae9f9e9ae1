#include "display/display_settings_store.h"

namespace {

void LoadBoth(DisplaySettingsStore& store) {
  store.io->load(store.baseline);
  store.live = store.baseline;
}

// Returns false when the live record differs from the stored one and could
// not be saved.
bool SaveIfChanged(DisplaySettingsStore& store) {
  if (!DisplaySettingsDiffer(store.live, store.baseline)) return true;
  if (!store.io->save(store.live)) return false;
  store.baseline = store.live;
  return true;
}

}  // namespace

void AttachDisplayUser(DisplaySettingsStore& store) {
  if (store.users == 0) LoadBoth(store);
  ++store.users;
}

void DetachDisplayUser(DisplaySettingsStore& store) {
  if (store.users == 0) return;
  if (store.users == 1) SaveIfChanged(store);
  --store.users;
}

void TakeLiveSettings(DisplaySettingsStore& store, DisplaySettings& copy) {
  copy = store.live;
  store.changed = false;
}

bool ReplaceLiveSettings(DisplaySettingsStore& store, const DisplaySettings& settings) {
  if (!DisplaySettingsDiffer(store.live, settings)) return false;
  store.live = settings;
  store.changed = true;
  return true;
}

bool TestAndClearSettingsChanged(DisplaySettingsStore& store) {
  const bool changed = store.changed;
  store.changed = false;
  return changed;
}

void CommitLiveSettings(DisplaySettingsStore& store) {
  SaveIfChanged(store);
  store.changed = false;
}

void ReloadDisplaySettings(DisplaySettingsStore& store) {
  if (SaveIfChanged(store)) LoadBoth(store);
}
