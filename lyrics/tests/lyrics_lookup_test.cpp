#include "lyrics/lyrics_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Candidates(const char* media, const char* directory,
                                    LeadBytePredicate isLead = NoLeadBytes) {
  LyricsCandidates list;
  ListLyricsCandidates(media, directory, isLead, list);
  std::vector<std::string> paths;
  for (int i = 0; i < list.count; ++i) {
    paths.push_back(list.items[i].fits ? list.items[i].path : "<too long>");
  }
  return paths;
}

TEST(LyricsCandidates, DirectoryThenBesideTheSongForEachFormat) {
  EXPECT_EQ(Candidates("C:\\Music\\Song.mp3", "D:\\Lyrics"),
            (std::vector<std::string>{"D:\\Lyrics\\Song.km", "C:\\Music\\Song.km",
                                      "D:\\Lyrics\\Song.lrc", "C:\\Music\\Song.lrc",
                                      "D:\\Lyrics\\Song.txt", "C:\\Music\\Song.txt"}));
  EXPECT_EQ(Candidates("C:\\Music\\Song.mp3", ""),
            (std::vector<std::string>{"C:\\Music\\Song.km", "C:\\Music\\Song.lrc",
                                      "C:\\Music\\Song.txt"}));
}

TEST(LyricsCandidates, AMidiSongIsReadItselfAfterTheNativeFiles) {
  const std::vector<std::string> expected{"C:\\M\\Song.km", "C:\\M\\Song.KAR", "C:\\M\\Song.lrc",
                                          "C:\\M\\Song.txt"};
  EXPECT_EQ(Candidates("C:\\M\\Song.KAR", nullptr), expected);
  for (const char* song : {"C:\\M\\a.mid", "C:\\M\\a.MIDI", "C:\\M\\a.rmi", "C:\\M\\a.Kar"}) {
    EXPECT_EQ(Candidates(song, "")[1], song);
  }
  EXPECT_EQ(Candidates("C:\\M\\a.midx", "").size(), 3u);
  EXPECT_EQ(Candidates("C:\\M\\kar", "").size(), 3u);
}

TEST(LyricsCandidates, TheBaseEndsAtTheFirstDotOfTheName) {
  EXPECT_EQ(Candidates("C:\\My.Music\\Song.live.mp3", "D:")[0], "D:\\Song.km");
  EXPECT_EQ(Candidates("C:\\My.Music\\Song.live.mp3", "D:")[1], "C:\\My.Music\\Song.km");
  // "live.mp3" is the extension: not a MIDI song even if it ends in .mid.
  EXPECT_EQ(Candidates("C:\\M\\Song.live.mid", "").size(), 3u);
  EXPECT_EQ(Candidates("C:\\M\\NoExtension", "")[0], "C:\\M\\NoExtension.km");
}

TEST(LyricsCandidates, ADriveRootDirectoryStoredWithoutBackslash) {
  EXPECT_EQ(Candidates("E:\\Music\\Song.wma", "C:")[0], "C:\\Song.km");
}

TEST(LyricsCandidates, ATrailByteThatLooksLikeABackslashIsPartOfTheName) {
  // "\x83\x5C" is one character in code page 932.
  const char* media = "C:\\Music\\\x83\x5C.mp3";
  EXPECT_EQ(Candidates(media, "D:", Cp932LeadByte)[0], "D:\\\x83\x5C.km");
}

TEST(LyricsCandidates, TheFirstCandidateTooLongForAPathEndsTheList) {
  std::string directory = "D:\\" + std::string(250, 'd');
  const std::vector<std::string> paths = Candidates("C:\\M\\Song.mp3", directory.c_str());
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0], "<too long>");

  // 259 characters fit, 260 do not.
  std::string base = "C:\\" + std::string(253, 's');  // + ".km" = 259
  std::string media = base + ".mp3";
  std::vector<std::string> beside = Candidates(media.c_str(), "");
  ASSERT_EQ(beside.size(), 2u);
  EXPECT_EQ(beside[0], base + ".km");
  EXPECT_EQ(beside[1], "<too long>");  // ".lrc" makes 260
}

}  // namespace
