// Registrar scripts applied to this program's private registry.
#include "wmp/registrar_run.h"

#include <gtest/gtest.h>

#include <string>

#include "com_server/tests/server_module.h"

namespace {

const std::string kBase = "Software\\KamiruRegistrarTest";

HRESULT RunText(const std::string& text, RegistrarMode mode) {
  RegistrarScript script;
  if (!ParseRegistrarScript(text.data(), text.size(), &script)) return E_INVALIDARG;
  return RunRegistrarScript(script, mode);
}

bool Exists(const std::string& below) { return KeyExists(HKEY_CURRENT_USER, kBase + below); }

// Each test works below a fresh, stable key of its own.
class RegistrarRun : public testing::Test {
 protected:
  void SetUp() override {
    DeleteRegistryTree(HKEY_CURRENT_USER, kBase.c_str());
    ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, kBase));
  }
  void TearDown() override { DeleteRegistryTree(HKEY_CURRENT_USER, kBase.c_str()); }
};

const std::string kScript =
    "HKCU { NoRemove Software { NoRemove KamiruRegistrarTest {"
    "  val Kept = s 'k'"
    "  Plain = s 'p' { Sub }"
    "  ForceRemove Forced { val x = s 'y' }"
    "  NoRemove Shared { Mine } "
    "} } }";

TEST_F(RegistrarRun, RegisterThenUnregisterHonoursTheMarks) {
  ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, kBase + "\\Forced\\Old"));
  ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, kBase + "\\Shared\\Theirs"));
  ASSERT_EQ(RunText(kScript, RegistrarMode::kRegister), S_OK);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kBase, "Kept"), "k");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kBase + "\\Plain", nullptr), "p");
  EXPECT_TRUE(Exists("\\Plain\\Sub"));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kBase + "\\Forced", "x"), "y");
  EXPECT_FALSE(Exists("\\Forced\\Old")) << "ForceRemove starts the key afresh";
  EXPECT_TRUE(Exists("\\Shared\\Mine"));
  EXPECT_TRUE(Exists("\\Shared\\Theirs"));

  // Keys the script does not name go with a removed key, not with a kept one.
  ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, kBase + "\\Plain\\Extra"));
  ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, kBase + "\\Forced\\Extra"));
  ASSERT_EQ(RunText(kScript, RegistrarMode::kUnregister), S_OK);
  EXPECT_TRUE(Exists(""));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kBase, "Kept"), "<missing>");
  EXPECT_FALSE(Exists("\\Plain"));
  EXPECT_FALSE(Exists("\\Forced"));
  EXPECT_TRUE(Exists("\\Shared"));
  EXPECT_FALSE(Exists("\\Shared\\Mine"));
  EXPECT_TRUE(Exists("\\Shared\\Theirs"));

  // Unregistering what is not there creates nothing and fails nothing.
  ASSERT_EQ(DeleteRegistryTree(HKEY_CURRENT_USER, kBase.c_str()), ERROR_SUCCESS);
  EXPECT_EQ(RunText(kScript, RegistrarMode::kUnregister), S_OK);
  EXPECT_FALSE(Exists(""));
}

}  // namespace
