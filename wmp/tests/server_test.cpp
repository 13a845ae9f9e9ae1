// The class factories, the unload rule and the resources of the built
// kmwmp.dll, loaded by path as a COM client would.
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "com_server/tests/server_module.h"
#include "wmp/wmp_effects.h"

namespace {

// {0B0C0D0E-0000-4000-8000-00000000ABCD}: no class of the server.
constexpr CLSID kUnknownClass = {
    0x0B0C0D0E, 0x0000, 0x4000, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0xAB, 0xCD}};

// An outer object that is never asked anything by a refused aggregation.
struct UnusedOuter : public IUnknown {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

class ServerTest : public testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    ASSERT_TRUE(server.Loaded()) << KMWMP_PATH << " error " << GetLastError();
  }
  void TearDown() override { CoUninitialize(); }

  IClassFactory* Factory(REFCLSID clsid) {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(server.getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    return factory;
  }

  ServerModule server{KMWMP_PATH};
};

TEST_F(ServerTest, ClassObjectRequestsThatFail) {
  struct Case {
    const CLSID* clsid;
    const IID* iid;
    HRESULT expected;
  };
  const Case cases[] = {
      {&kUnknownClass, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
      {&GUID_NULL, &IID_IUnknown, CLASS_E_CLASSNOTAVAILABLE},
      {&kClsidKaraokeEffects, &IID_IDispatch, E_NOINTERFACE},
      {&kClsidKaraokeEffects, &kIidWmpEffects, E_NOINTERFACE},
  };
  for (const Case& c : cases) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(server.getClassObject(*c.clsid, *c.iid, &object), c.expected);
    EXPECT_EQ(object, nullptr);
  }
  EXPECT_EQ(server.getClassObject(kClsidKaraokeEffects, IID_IClassFactory, nullptr), E_POINTER);
  EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST_F(ServerTest, UnloadsOnlyWithNothingHeld) {
  EXPECT_EQ(server.canUnloadNow(), S_OK);
  IClassFactory* factory = Factory(kClsidKaraokeEffects);
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(server.canUnloadNow(), S_FALSE);
  IClassFactory* again = Factory(kClsidKaraokeEffects);
  EXPECT_EQ(again, factory) << "one cached factory per class";
  again->Release();
  EXPECT_EQ(server.canUnloadNow(), S_FALSE);

  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory->Release();
  EXPECT_EQ(server.canUnloadNow(), S_FALSE) << "LockServer(TRUE) keeps the module";

  factory = Factory(kClsidKaraokeEffects);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(server.canUnloadNow(), S_FALSE) << "the factory is still held";
  factory->Release();
  EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST_F(ServerTest, LivingObjectKeepsTheModule) {
  IClassFactory* factory = Factory(kClsidKaraokeEffects);
  ASSERT_NE(factory, nullptr);
  IWMPEffects* effects = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, kIidWmpEffects, reinterpret_cast<void**>(&effects)),
            S_OK);
  factory->Release();
  ASSERT_NE(effects, nullptr);
  EXPECT_EQ(server.canUnloadNow(), S_FALSE);
  effects->Release();
  EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST_F(ServerTest, CreateInstanceRefusals) {
  IClassFactory* factory = Factory(kClsidKaraokeEffects);
  ASSERT_NE(factory, nullptr);
  UnusedOuter outer;
  EXPECT_EQ(factory->CreateInstance(nullptr, kIidWmpEffects, nullptr), E_POINTER);
  for (const IID* iid : {&kIidWmpEffects, &kIidWmpEffects2, &IID_IClassFactory}) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(&outer, *iid, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
  }
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  factory->Release();
  EXPECT_EQ(server.canUnloadNow(), S_OK) << "a refused object leaves no lock behind";
}

TEST_F(ServerTest, StringTable) {
  const char* const texts[] = {
      "kmwmp", "Kamiru", "One Line", "Two Lines", "Three Lines", "Five Lines", "Seven Lines",
      "This collection includes the One Line, Two Lines, Three Lines, Five Lines and Seven "
      "Lines karaoke lyrics visualizations.",
      "General", "Help"};
  for (UINT id = 100; id <= 109; ++id) {
    char text[256] = {};
    EXPECT_GT(LoadStringA(server.handle, id, text, sizeof text), 0) << id;
    EXPECT_STREQ(text, texts[id - 100]) << id;
  }
  char text[16] = {};
  EXPECT_EQ(LoadStringA(server.handle, 110, text, sizeof text), 0);
}

std::string ReadSource(const char* name) {
  std::ifstream file(std::string(KMWMP_SOURCE_DIR) + "/registry/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST_F(ServerTest, RegistryScriptsAreEmbeddedAsWritten) {
  const std::pair<UINT, const char*> scripts[] = {
      {118, "effects.rgs"}, {119, "page1.rgs"}, {120, "page2.rgs"}};
  for (const auto& script : scripts) {
    HRSRC found = FindResourceA(server.handle, MAKEINTRESOURCEA(script.first), "REGISTRY");
    ASSERT_NE(found, nullptr) << script.first;
    const char* data = static_cast<const char*>(LockResource(LoadResource(server.handle, found)));
    ASSERT_NE(data, nullptr);
    const std::string expected = ReadSource(script.second);
    ASSERT_FALSE(expected.empty()) << script.second;
    EXPECT_EQ(std::string(data, SizeofResource(server.handle, found)), expected)
        << script.second;
  }
  EXPECT_EQ(FindResourceA(server.handle, MAKEINTRESOURCEA(121), "REGISTRY"), nullptr);
}

}  // namespace
