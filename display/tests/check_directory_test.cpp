#include <windows.h>

#include <process.h>

#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "display/win32/check_directory.h"

namespace {

struct Buffer {
  char bytes[kDirectoryBufferSize];
};

Buffer Holding(const std::string& path) {
  Buffer buffer = {};
  std::memcpy(buffer.bytes, path.c_str(), path.size() + 1);
  return buffer;
}

class CheckDirectoryOnDisk : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
    directory = std::string(temp) + "kmcheck" + std::to_string(_getpid());
    file = directory + "\\song.km";
    ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
  }
  void TearDown() override {
    DeleteFileA(file.c_str());
    RemoveDirectoryA(directory.c_str());
  }

  std::string directory;  // empty unless a test puts a file in it
  std::string file;
};

TEST_F(CheckDirectoryOnDisk, AcceptsExistingDirectoriesWithoutTheirTrailingBackslash) {
  struct Case {
    std::string path;
    std::string kept;
  };
  const Case cases[] = {
      {directory, directory},
      {directory + "\\", directory},
      {"C:\\", "C:"},
      {"C:", "C:"},
      {"C:\\windows\\", "C:\\windows"},
  };
  for (const Case& c : cases) {
    Buffer buffer = Holding(c.path);
    EXPECT_TRUE(CheckDirectory(buffer.bytes)) << c.path;
    EXPECT_EQ(std::string(buffer.bytes), c.kept) << c.path;
  }
}

TEST_F(CheckDirectoryOnDisk, RejectsWhatIsNoDirectory) {
  std::FILE* song = std::fopen(file.c_str(), "wb");
  ASSERT_NE(song, nullptr);
  std::fclose(song);
  const std::string rejected[] = {directory + "\\gone", directory + "\\gone\\", file, ""};
  for (const std::string& path : rejected) {
    Buffer buffer = Holding(path);
    EXPECT_FALSE(CheckDirectory(buffer.bytes)) << path;
  }
  Buffer buffer = Holding(directory);
  EXPECT_TRUE(CheckDirectory(buffer.bytes)) << "not empty any more";
}

}  // namespace
