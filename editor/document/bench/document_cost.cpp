// What an edit of the lyrics document costs, for a text of 3,000 and of
// 30,000 characters (10 characters to a timing unit, 4 units to a line),
// and the ratio between the two. The model alone: no text window.
//
//   type      a character typed in the middle of a unit, or its
//             Backspace, with the model queries an editor makes per
//             keystroke (the characters around the caret, whether a
//             syncpoint can be set there)
//   enter     Enter typed just before a syncpoint in the middle (the
//             syncpoint goes, the following units move)
//   walk      after that Enter, the walk over every unit from the caret to
//             the end that renews the colouring (this one must grow with
//             the text: the boundaries after the caret moved)
//   undo      Undo of that Enter (the syncpoint comes back)
//
// A keystroke that moves no unit boundary should not grow with the text.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/lyrics_document.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kHeader[] = "Title: \rArtist: \rAlbum: \rEditor: \r\r";
constexpr int kUnitLength = 10;
constexpr int kUnitsPerLine = 4;

// A document with `units` units of 10 characters: "abcdefghi " and, at
// the end of each line, "abcdefghi\r"; a syncpoint starts every unit that
// does not start a line.
std::unique_ptr<LyricsDocument> MakeDocument(int units) {
  auto document = std::make_unique<LyricsDocument>(NoLeadBytes);
  document->Initialise(kHeader);
  std::string lyrics;
  for (int unit = 0; unit < units; ++unit) {
    lyrics += (unit % kUnitsPerLine == kUnitsPerLine - 1) ? "abcdefghi\r" : "abcdefghi ";
  }
  const int32_t start = document->LyricsStart();
  document->ReplaceRange(start, start, lyrics.c_str(), static_cast<int32_t>(lyrics.size()),
                         EditLog::kNone);
  for (int unit = 0; unit < units; ++unit) {
    if (unit % kUnitsPerLine != 0) document->SetSyncpoint(start + unit * kUnitLength, false);
  }
  return document;
}

volatile int32_t sink;

// The queries an editor makes around a keystroke at `caret`.
void QueryAround(const LyricsDocument& document, int32_t caret) {
  sink = document.CharacterAt(caret - 1) + document.CharacterAt(caret) +
         document.IsSyncpointAt(caret) + document.CanSetSyncpoint(caret);
}

// The median of batch times, per operation: robust against the odd batch
// that the machine interrupts.
double MedianPerOperation(std::vector<Clock::duration> batches, int operationsPerBatch) {
  std::sort(batches.begin(), batches.end());
  const Clock::duration median = batches[batches.size() / 2];
  return std::chrono::duration<double, std::nano>(median).count() / operationsPerBatch;
}

struct Costs {
  double type, enter, walk, undo;
};

Costs Measure(int units) {
  constexpr int kBatches = 200;
  constexpr int kBatch = 10;  // the history holds ten steps
  std::unique_ptr<LyricsDocument> document = MakeDocument(units);
  const int32_t middleLine = units / 2 / kUnitsPerLine;
  const int32_t lineLength = kUnitsPerLine * kUnitLength;
  std::vector<Clock::duration> type, enter, walk, undo;

  // Typing: a character and its Backspace in the middle of a unit, so that
  // the text keeps its length.
  const int32_t caret = document->LyricsStart() + middleLine * lineLength + 13;
  for (int batch = 0; batch < kBatches; ++batch) {
    const Clock::time_point begin = Clock::now();
    for (int i = 0; i < kBatch / 2; ++i) {
      QueryAround(*document, caret);
      document->ReplaceRange(caret, caret, "x", 1, EditLog::kRecordRecolour);
      QueryAround(*document, caret + 1);
      document->ReplaceRange(caret, caret + 1, nullptr, 0, EditLog::kRecordRecolour);
    }
    type.push_back(Clock::now() - begin);
  }

  // Enter before the syncpoint of the second unit of ten lines in the
  // middle, from the last line up so that the positions stay; the walk
  // that renews the colouring from the first of them; ten undos.
  for (int batch = 0; batch < kBatches; ++batch) {
    Clock::time_point begin = Clock::now();
    for (int line = middleLine + kBatch - 1; line >= middleLine; --line) {
      const int32_t syncpoint = document->LyricsStart() + line * lineLength + kUnitLength;
      document->ReplaceRange(syncpoint, syncpoint, "\r", 1, EditLog::kRecordRecolour);
    }
    enter.push_back(Clock::now() - begin);
    if (batch % 10 == 0) {
      begin = Clock::now();
      const int32_t from = document->LyricsStart() + middleLine * lineLength + kUnitLength;
      for (int32_t p = from; p < document->Length();) p = document->UnitParityAndEnd(p).end;
      walk.push_back(Clock::now() - begin);
    }
    begin = Clock::now();
    for (int step = 0; step < kBatch; ++step) document->ApplyUndo();
    undo.push_back(Clock::now() - begin);
  }
  return Costs{MedianPerOperation(type, kBatch), MedianPerOperation(enter, kBatch),
               MedianPerOperation(walk, 1), MedianPerOperation(undo, kBatch)};
}

}  // namespace

int main() {
  const int small = 300, large = 3000;
  const Costs a = Measure(small);
  const Costs b = Measure(large);
  std::printf("lyrics of %d and of %d characters (%d and %d units), nanoseconds per edit\n",
              small * kUnitLength, large * kUnitLength, small, large);
  std::printf("%-46s %10s %10s %7s\n", "", "3,000", "30,000", "ratio");
  const struct {
    const char* name;
    double small, large;
  } rows[] = {
      {"type or Backspace one character in the middle", a.type, b.type},
      {"Enter before a syncpoint", a.enter, b.enter},
      {"the unit walk to the end after that Enter", a.walk, b.walk},
      {"Undo of that Enter", a.undo, b.undo},
  };
  for (const auto& row : rows) {
    std::printf("%-46s %10.0f %10.0f %7.2f\n", row.name, row.small, row.large,
                row.large / row.small);
  }
  return 0;
}
