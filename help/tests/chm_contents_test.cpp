// Reads the compiled help file with Windows' own CHM reader (the ITSS
// storage behind the help viewer) and checks it against its project: every
// file of the project is inside with the bytes of its source, and the viewer
// opens the project's first page, contents and index under its title.
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

// The opening interface of CHM files' storage, as the help viewer uses it
// (not in MinGW's headers). Declared outside the unnamed namespace: there,
// the compiler would conclude that nothing implements it and drop the calls.
struct IITStorage : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD,
                                                                 IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD,
                                                   IStorage**) = 0;
};

namespace {

// The storage class of CHM files and its opening interface.
const CLSID kClsidITStorage = {
    0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kIidITStorage = {
    0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

bool ReadHostFile(const std::string& path, std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  std::fclose(file);
  return true;
}

// The help project: its [OPTIONS] and its [FILES].
struct HelpProject {
  std::map<std::string, std::string> options;
  std::vector<std::string> files;
};

HelpProject ReadProject(const std::string& text) {
  HelpProject project;
  std::string section;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      section = line;
    } else if (section == "[OPTIONS]" && line.find('=') != std::string::npos) {
      project.options[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    } else if (section == "[FILES]") {
      project.files.push_back(line);
    }
  }
  return project;
}

class CompiledHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string text;
    ASSERT_TRUE(ReadHostFile(std::string(KMHELP_SOURCE) + "\\kmhelp.hhp", text));
    project_ = ReadProject(text);
    ASSERT_FALSE(project_.files.empty());
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    IITStorage* reader = nullptr;
    ASSERT_EQ(CoCreateInstance(kClsidITStorage, nullptr, CLSCTX_INPROC_SERVER, kIidITStorage,
                               reinterpret_cast<void**>(&reader)),
              S_OK);
    const HRESULT opened = reader->StgOpenStorage(Wide(KMHELP_CHM).c_str(), nullptr,
                                                  STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0,
                                                  &storage_);
    reader->Release();
    ASSERT_EQ(opened, S_OK) << KMHELP_CHM << " is not a help file that Windows can open";
  }

  void TearDown() override {
    if (storage_) storage_->Release();
    CoUninitialize();
  }

  // The bytes of a file inside the help file; false when it is not there.
  bool ReadInside(const std::string& name, std::string& bytes) {
    IStream* stream = nullptr;
    if (storage_->OpenStream(Wide("/" + name).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                             0, &stream) != S_OK) {
      return false;
    }
    char buffer[65536];
    ULONG got = 0;
    HRESULT result;
    while (SUCCEEDED(result = stream->Read(buffer, sizeof buffer, &got)) && got > 0) {
      bytes.append(buffer, got);
    }
    stream->Release();
    return SUCCEEDED(result);
  }

  HelpProject project_;
  IStorage* storage_ = nullptr;
};

TEST_F(CompiledHelp, HoldsEveryFileOfItsProjectWithTheSourceBytes) {
  std::vector<std::string> names = project_.files;
  names.push_back(project_.options["Contents file"]);
  names.push_back(project_.options["Index file"]);
  for (const std::string& name : names) {
    std::string inside, source;
    std::string path = std::string(KMHELP_SOURCE) + "\\" + name;
    for (char& c : path) c = c == '/' ? '\\' : c;
    ASSERT_TRUE(ReadHostFile(path, source)) << path;
    EXPECT_TRUE(ReadInside(name, inside)) << name << " is missing from the help file";
    EXPECT_TRUE(inside == source) << name << " differs from its source";
  }
  std::string nothing;
  EXPECT_FALSE(ReadInside("no-such-page.htm", nothing));
}

TEST_F(CompiledHelp, OpensOnItsFirstPageWithContentsIndexAndTitle) {
  // #SYSTEM: a version word, then records of a 16-bit code, a 16-bit length
  // and the data; text records end with a NUL.
  std::string system;
  ASSERT_TRUE(ReadInside("#SYSTEM", system));
  std::map<int, std::string> records;
  for (size_t at = 4; at + 4 <= system.size();) {
    const int code = static_cast<unsigned char>(system[at]) | static_cast<unsigned char>(system[at + 1]) << 8;
    const size_t length =
        static_cast<unsigned char>(system[at + 2]) | static_cast<unsigned char>(system[at + 3]) << 8;
    ASSERT_LE(at + 4 + length, system.size());
    records[code] = std::string(system.c_str() + at + 4, strnlen(system.c_str() + at + 4, length));
    at += 4 + length;
  }
  EXPECT_EQ(records[0], project_.options["Contents file"]);
  EXPECT_EQ(records[1], project_.options["Index file"]);
  EXPECT_EQ(records[2], project_.options["Default topic"]);
  EXPECT_EQ(records[3], project_.options["Title"]);
  std::string first;
  EXPECT_TRUE(ReadInside(records[2], first) && first.find("<html>") != std::string::npos);
}

}  // namespace
