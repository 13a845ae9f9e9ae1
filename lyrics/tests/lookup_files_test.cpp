// The lookup on real files, with Windows paths (under Wine in this build).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lyrics/lyrics_lookup.h"
#include "lyrics/tests/km_builder.h"
#include "lyrics/tests/midi_builder.h"
#include "lyrics/tests/temp_file.h"

namespace {

class LookupFiles : public testing::Test {
 protected:
  void SetUp() override {
    root_ = TempPath(testing::UnitTest::GetInstance()->current_test_info()->name());
    music_ = root_ + "\\Music";
    lyricsDirectory_ = root_ + "\\Lyrics";
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(music_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(lyricsDirectory_.c_str(), nullptr));
  }
  void TearDown() override {
    for (const std::string& file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(music_.c_str());
    RemoveDirectoryA(lyricsDirectory_.c_str());
    RemoveDirectoryA(root_.c_str());
  }
  void Write(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    files_.push_back(path);
  }
  LoadStatus Find(const std::string& media, const std::string& directory) {
    tried_.clear();
    return FindLyrics(media.c_str(), directory.c_str(), WinampTextTiming(60), lyrics_, Record,
                      &tried_);
  }
  static void Record(void* context, const char* path) {
    static_cast<std::vector<std::string>*>(context)->push_back(path);
  }

  std::string root_, music_, lyricsDirectory_;
  std::vector<std::string> files_;
  std::vector<std::string> tried_;
  TimedLyrics lyrics_;
};

std::string GoodKm() { return KmBuilder().Line("native").Piece(0, 0, kKmNoOffset, 0, 5).Bytes(); }

TEST_F(LookupFiles, TakesTheFirstCandidateThatLoads) {
  Write(music_ + "\\Song.km", GoodKm());
  Write(lyricsDirectory_ + "\\Song.txt", "plain\n");
  ASSERT_EQ(Find(music_ + "\\Song.mp3", lyricsDirectory_), LoadStatus::Loaded);
  EXPECT_EQ(tried_, (std::vector<std::string>{lyricsDirectory_ + "\\Song.km", music_ + "\\Song.km"}));
  EXPECT_EQ(std::string(lyrics_.textLines[0].text, 7), "native ");
}

TEST_F(LookupFiles, ADamagedNativeFileFallsThroughToTheNextCandidate) {
  std::string damaged = GoodKm();
  damaged[4] ^= 1;  // size field off
  Write(lyricsDirectory_ + "\\Song.km", damaged);
  Write(music_ + "\\Song.txt", "one\ntwo");
  ASSERT_EQ(Find(music_ + "\\Song.mp3", lyricsDirectory_), LoadStatus::Loaded);
  EXPECT_EQ(tried_.size(), 6u);
  EXPECT_EQ(tried_.back(), music_ + "\\Song.txt");
  EXPECT_EQ(lyrics_.syncpointCount, 2);
  EXPECT_EQ(lyrics_.syncpoints[1].startTime, 3000);
}

TEST_F(LookupFiles, AKaraokeSongIsReadForItsOwnLyricsWhateverTheCaseOfItsExtension) {
  MidiTrack track;
  track.Tempo(0, 500000).Text(0, "@TSong").Lyric(96, "Row ").Lyric(96, "boat").End();
  Write(music_ + "\\Song.KAR", MidiFile(96, {track}));
  Write(music_ + "\\Song.txt", "plain");
  ASSERT_EQ(Find(music_ + "\\Song.KAR", ""), LoadStatus::Loaded);
  EXPECT_EQ(tried_, (std::vector<std::string>{music_ + "\\Song.km", music_ + "\\Song.KAR"}));
  ASSERT_EQ(lyrics_.syncpointCount, 2);
  EXPECT_EQ(lyrics_.syncpoints[0].startTime, 50);  // 96 ticks at 120 bpm
}

TEST_F(LookupFiles, NothingFoundLeavesTheModelEmpty) {
  Write(music_ + "\\Other.km", GoodKm());
  ASSERT_EQ(Find(music_ + "\\Song.mp3", lyricsDirectory_), LoadStatus::Invalid);
  EXPECT_EQ(tried_.size(), 6u);
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics_));
}

TEST_F(LookupFiles, ADirectoryCandidateTooLongEndsTheLookupBeforeTheFileBesideTheSong) {
  Write(music_ + "\\Song.km", GoodKm());
  const std::string longDirectory = lyricsDirectory_ + "\\" + std::string(240, 'x');
  ASSERT_EQ(Find(music_ + "\\Song.mp3", longDirectory), LoadStatus::Invalid);
  EXPECT_TRUE(tried_.empty());
  EXPECT_TRUE(IsTimedLyricsEmpty(lyrics_));
}

}  // namespace
