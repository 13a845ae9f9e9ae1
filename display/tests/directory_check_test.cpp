#include "display/directory_check.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

// The file system as the check sees it: every pattern is recorded and
// answered with `exists`.
bool exists = false;
int searches = 0;
std::string lastPattern;

bool FakeSearch(const char* pattern) {
  ++searches;
  lastPattern = pattern;
  return exists;
}

struct Buffer {
  char bytes[kDirectoryBufferSize];
};

// A buffer holding `path`, with every byte after its NUL set to '#', so that
// stray writes past the string show.
Buffer Filled(const std::string& path) {
  Buffer buffer;
  std::memset(buffer.bytes, '#', sizeof buffer.bytes);
  std::memcpy(buffer.bytes, path.c_str(), path.size() + 1);
  return buffer;
}

class DirectoryCheck : public testing::Test {
 protected:
  void SetUp() override {
    exists = false;
    searches = 0;
    lastPattern.clear();
  }
};

TEST_F(DirectoryCheck, SearchesTheDirectoryAndDropsATrailingBackslash) {
  struct Case {
    const char* path;
    bool exists;
    const char* pattern;
    const char* kept;  // the path afterwards
  };
  const Case cases[] = {
      {"C:\\Lyrics", true, "C:\\Lyrics\\*", "C:\\Lyrics"},
      {"C:\\Lyrics\\", true, "C:\\Lyrics\\*", "C:\\Lyrics"},
      {"C:\\", true, "C:\\*", "C:"},
      {"C:", true, "C:\\*", "C:"},
      {"\\\\server\\share\\", true, "\\\\server\\share\\*", "\\\\server\\share"},
      {"C:\\Missing", false, "C:\\Missing\\*", "C:\\Missing"},
      {"C:\\Missing\\", false, "C:\\Missing\\*", "C:\\Missing\\"},
  };
  for (const Case& c : cases) {
    exists = c.exists;
    Buffer buffer = Filled(c.path);
    EXPECT_EQ(CheckDirectoryWith(buffer.bytes, NoLeadBytes, FakeSearch), c.exists) << c.path;
    EXPECT_EQ(lastPattern, c.pattern) << c.path;
    EXPECT_STREQ(buffer.bytes, c.kept) << c.path;
  }
}

TEST_F(DirectoryCheck, LeavesNoTraceOfThePatternInTheBuffer) {
  for (bool found : {true, false}) {
    exists = found;
    for (const char* path : {"C:\\Lyrics", "C:\\Lyrics\\"}) {
      Buffer buffer = Filled(path);
      Buffer expected = buffer;
      expected.bytes[kDirectoryBufferSize - 1] = '\0';  // always terminated
      if (found && path[std::strlen(path) - 1] == '\\') expected.bytes[9] = '\0';
      CheckDirectoryWith(buffer.bytes, NoLeadBytes, FakeSearch);
      EXPECT_EQ(std::memcmp(buffer.bytes, expected.bytes, sizeof buffer.bytes), 0)
          << path << (found ? " found" : " missing");
    }
  }
}

TEST_F(DirectoryCheck, ABackslashTrailByteDoesNotEndTheDirectory) {
  // "\x95\x5C" is one Shift-JIS character whose second byte is a backslash.
  exists = true;
  Buffer buffer = Filled("C:\\\x95\x5C");
  EXPECT_TRUE(CheckDirectoryWith(buffer.bytes, Cp932LeadByte, FakeSearch));
  EXPECT_EQ(lastPattern, "C:\\\x95\x5C\\*");
  EXPECT_STREQ(buffer.bytes, "C:\\\x95\x5C");

  // In a single-byte code page the same bytes do end in a backslash.
  buffer = Filled("C:\\\x95\x5C");
  EXPECT_TRUE(CheckDirectoryWith(buffer.bytes, NoLeadBytes, FakeSearch));
  EXPECT_EQ(lastPattern, "C:\\\x95\\*");
  EXPECT_STREQ(buffer.bytes, "C:\\\x95");
}

TEST_F(DirectoryCheck, RejectsPathsThatAreEmptyBareOrTooLongWithoutSearching) {
  exists = true;
  const std::string rejected[] = {"", "\\", std::string(kMaxDirectoryLength + 1, 'a'),
                                  std::string(kDirectoryBufferSize - 1, 'a')};
  for (const std::string& path : rejected) {
    Buffer buffer = Filled(path);
    EXPECT_FALSE(CheckDirectoryWith(buffer.bytes, NoLeadBytes, FakeSearch)) << path.size();
  }
  EXPECT_EQ(searches, 0);

  // The longest accepted path still fits with "\*" and its NUL.
  Buffer buffer = Filled("C:\\" + std::string(kMaxDirectoryLength - 3, 'a'));
  EXPECT_TRUE(CheckDirectoryWith(buffer.bytes, NoLeadBytes, FakeSearch));
  EXPECT_EQ(lastPattern.size(), kMaxDirectoryLength + 2);
  EXPECT_EQ(std::strlen(buffer.bytes), kMaxDirectoryLength);
}

TEST_F(DirectoryCheck, TerminatesABufferWithoutNul) {
  exists = true;
  Buffer buffer;
  std::memset(buffer.bytes, 'a', sizeof buffer.bytes);
  EXPECT_FALSE(CheckDirectoryWith(buffer.bytes, NoLeadBytes, FakeSearch));
  EXPECT_EQ(buffer.bytes[kDirectoryBufferSize - 1], '\0');
  EXPECT_EQ(searches, 0);
}

}  // namespace
