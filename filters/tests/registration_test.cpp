// Registering and unregistering kmfilters.dll with the system's regsvr32,
// against this program's private registry: the three classes under
// HKEY_CLASSES_ROOT\CLSID, free-threaded, and nothing else.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "com_server/tests/server_module.h"

namespace {

struct ClassEntry {
  const char* key;
  const char* name;
};
const ClassEntry kClasses[] = {
    {"CLSID\\{8E0C2D41-9A17-4B35-B6E8-1F4D3C7A2E90}", "KMWS"},
    {"CLSID\\{8E0C2D40-9A17-4B35-B6E8-1F4D3C7A2E90}", "KMWT"},
#ifdef KM_HAVE_LYRICS_DISPLAY
    {"CLSID\\{8E0C2D42-9A17-4B35-B6E8-1F4D3C7A2E90}", "KMWLD"},
#endif
};

TEST(FilterRegistration, Regsvr32RegistersTheClassesAndUnregisteringRemovesThem) {
  ServerModule server(KMFILTERS_PATH);
  ASSERT_TRUE(server.Loaded());
  const std::string path = server.FileName();
  // Another program's class beside ours stays as it is.
  ASSERT_TRUE(WriteString(HKEY_CLASSES_ROOT, "CLSID\\{8E0C2D44-9A17-4B35-B6E8-1F4D3C7A2E90}",
                          nullptr, "Neighbour"));
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(RunRegsvr32("/s", path), 0u);
    for (const ClassEntry& entry : kClasses) {
      SCOPED_TRACE(entry.key);
      const std::string server32 = std::string(entry.key) + "\\InprocServer32";
      EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, entry.key, nullptr), entry.name);
      EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, server32, nullptr), path);
      EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, server32, "ThreadingModel"), "Both");
    }
    // Not with the filter mapper: no other program's graph finds them.
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT,
                           "CLSID\\{083863F1-70DE-11D0-BD40-00A0C911CE86}\\Instance\\"
                           "{8E0C2D41-9A17-4B35-B6E8-1F4D3C7A2E90}"));
    ASSERT_EQ(RunRegsvr32("/u /s", path), 0u);
    for (const ClassEntry& entry : kClasses) EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, entry.key));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "CLSID"));
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "CLSID\\{8E0C2D44-9A17-4B35-B6E8-1F4D3C7A2E90}",
                         nullptr),
              "Neighbour");
  }
}

}  // namespace
