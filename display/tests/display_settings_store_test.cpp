#include "display/display_settings_store.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

// The registry as the store sees it.
struct FakeRegistry {
  DisplaySettings stored;
  int loads;
  int saves;
  bool saveFails;
};
FakeRegistry registry;

void FakeLoad(DisplaySettings& settings) {
  ++registry.loads;
  settings = registry.stored;
}

bool FakeSave(const DisplaySettings& settings) {
  ++registry.saves;
  if (registry.saveFails) return false;
  registry.stored = settings;
  return true;
}

const DisplaySettingsIo kFakeIo = {FakeLoad, FakeSave};

DisplaySettings Defaults() {
  DisplaySettings settings;
  SetDefaultDisplaySettings(settings, 96);
  return settings;
}

DisplaySettings WithTextColor(uint32_t color) {
  DisplaySettings settings = Defaults();
  settings.textColor = color;
  return settings;
}

bool Same(const DisplaySettings& a, const DisplaySettings& b) {
  return !DisplaySettingsDiffer(a, b);
}

class SettingsStore : public testing::Test {
 protected:
  void SetUp() override {
    registry = FakeRegistry{Defaults(), 0, 0, false};
    std::memset(&store, 0, sizeof store);
    store.io = &kFakeIo;
  }
  DisplaySettingsStore store;
};

TEST_F(SettingsStore, OnlyTheFirstUserLoads) {
  registry.stored = WithTextColor(0x123456);
  AttachDisplayUser(store);
  AttachDisplayUser(store);
  EXPECT_EQ(registry.loads, 1);
  EXPECT_EQ(store.users, 2);
  EXPECT_TRUE(Same(store.live, registry.stored));
  EXPECT_TRUE(Same(store.baseline, registry.stored));
}

TEST_F(SettingsStore, TheLastUserSavesOnlyAChange) {
  AttachDisplayUser(store);
  AttachDisplayUser(store);
  DetachDisplayUser(store);
  DetachDisplayUser(store);
  EXPECT_EQ(registry.saves, 0) << "nothing changed";

  AttachDisplayUser(store);
  AttachDisplayUser(store);
  ReplaceLiveSettings(store, WithTextColor(0x00FF00));
  DetachDisplayUser(store);
  EXPECT_EQ(registry.saves, 0) << "not the last user";
  DetachDisplayUser(store);
  EXPECT_EQ(registry.saves, 1);
  EXPECT_TRUE(Same(registry.stored, WithTextColor(0x00FF00)));
  EXPECT_EQ(store.users, 0);
}

TEST_F(SettingsStore, CountsUsersFromZeroAndLoadsAgainAfterTheLast) {
  DetachDisplayUser(store);
  EXPECT_EQ(store.users, 0) << "a detach without user does nothing";
  AttachDisplayUser(store);
  DetachDisplayUser(store);
  registry.stored = WithTextColor(0x0000FF);  // stored by the other plug-in
  AttachDisplayUser(store);
  EXPECT_EQ(registry.loads, 2);
  EXPECT_EQ(registry.saves, 0);
  EXPECT_TRUE(Same(store.live, registry.stored));
}

TEST_F(SettingsStore, OnlyADifferentRecordRaisesTheChangedFlag) {
  AttachDisplayUser(store);
  EXPECT_FALSE(ReplaceLiveSettings(store, Defaults()));
  EXPECT_FALSE(TestAndClearSettingsChanged(store));

  DisplaySettings trailing = Defaults();
  trailing.lyricsDirectory[100] = 'x';  // differs only after the string's NUL
  EXPECT_TRUE(ReplaceLiveSettings(store, trailing));
  EXPECT_TRUE(TestAndClearSettingsChanged(store));
  EXPECT_FALSE(TestAndClearSettingsChanged(store)) << "only the first display sees it";
  EXPECT_TRUE(Same(store.live, trailing));
  EXPECT_TRUE(Same(store.baseline, Defaults())) << "the baseline is what is stored";
}

TEST_F(SettingsStore, TakingTheLiveRecordClearsTheFlag) {
  AttachDisplayUser(store);
  ReplaceLiveSettings(store, WithTextColor(0x00FF00));
  DisplaySettings copy = Defaults();
  TakeLiveSettings(store, copy);
  EXPECT_TRUE(Same(copy, WithTextColor(0x00FF00)));
  EXPECT_FALSE(store.changed);
}

TEST_F(SettingsStore, CommitSavesAtOnceAndTheBaselineFollows) {
  AttachDisplayUser(store);
  CommitLiveSettings(store);
  EXPECT_EQ(registry.saves, 0) << "nothing changed";

  ReplaceLiveSettings(store, WithTextColor(0x00FF00));
  CommitLiveSettings(store);
  EXPECT_EQ(registry.saves, 1);
  EXPECT_FALSE(store.changed);
  EXPECT_TRUE(Same(store.baseline, WithTextColor(0x00FF00)));
  DetachDisplayUser(store);
  EXPECT_EQ(registry.saves, 1) << "already saved";
}

TEST_F(SettingsStore, AFailedSaveKeepsTheChangeForTheNextSave) {
  registry.saveFails = true;
  AttachDisplayUser(store);
  ReplaceLiveSettings(store, WithTextColor(0x00FF00));
  CommitLiveSettings(store);
  EXPECT_EQ(registry.saves, 1);
  EXPECT_TRUE(Same(store.live, WithTextColor(0x00FF00))) << "kept in memory";
  EXPECT_TRUE(Same(store.baseline, Defaults()));

  registry.saveFails = false;
  DetachDisplayUser(store);
  EXPECT_EQ(registry.saves, 2);
  EXPECT_TRUE(Same(registry.stored, WithTextColor(0x00FF00)));
}

TEST_F(SettingsStore, ReloadRereadsTheRegistry) {
  AttachDisplayUser(store);
  registry.stored = WithTextColor(0x0000FF);
  ReloadDisplaySettings(store);
  EXPECT_EQ(registry.loads, 2);
  EXPECT_EQ(registry.saves, 0);
  EXPECT_TRUE(Same(store.live, registry.stored));
  EXPECT_TRUE(Same(store.baseline, registry.stored));
}

TEST_F(SettingsStore, ReloadSavesAnUnsavedChangeInsteadOfLosingIt) {
  AttachDisplayUser(store);
  ReplaceLiveSettings(store, WithTextColor(0x00FF00));  // applied while a display existed
  ReloadDisplaySettings(store);
  EXPECT_EQ(registry.saves, 1);
  EXPECT_TRUE(Same(store.live, WithTextColor(0x00FF00)));

  registry.saveFails = true;
  ReplaceLiveSettings(store, WithTextColor(0xFF0000));
  ReloadDisplaySettings(store);
  EXPECT_EQ(registry.loads, 2) << "nothing reread over the unsaved record";
  EXPECT_TRUE(Same(store.live, WithTextColor(0xFF0000)));
}

}  // namespace
