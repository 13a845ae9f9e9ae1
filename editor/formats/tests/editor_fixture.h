// An editor's document, pairs and text window in memory, for the tests of
// the readers and writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/formats/editor_formats.h"
#include "editor/formats/memory_text_window.h"

struct EditorFixture {
  explicit EditorFixture(LeadBytePredicate isLead = NoLeadBytes);

  // Header values and lyrics typed in (no file involved), the header value
  // of `field` being the text after its label.
  void SetHeader(int field, const std::string& value);
  void SetLyrics(const std::string& lyrics);
  void SetSyncpoint(int32_t lyricsPosition);
  void Stamp(int32_t start, int32_t end);

  bool OpenKm(const std::string& bytes) { return OpenKmFile(Buffer(bytes), document); }
  bool OpenLrc(const std::string& bytes) { return OpenLrcFile(Buffer(bytes), document); }
  bool OpenText(const std::string& bytes) { return OpenTextFile(Buffer(bytes), document); }
  // The saved bytes; "" for nothing to save, "failed" on failure.
  std::string SaveKm() const;
  std::string SaveLrc() const;
  std::string SaveWordLrc() const;

  std::string Characters(int32_t start, int32_t end) const;
  std::string Lyrics() const;  // the text after the header
  std::string Header(int field) const;
  std::vector<int32_t> Syncpoints() const;  // relative to the lyrics start
  std::vector<TimestampPair> Pairs() const;
  // The empty template in the document, the pairs and the window.
  bool IsEmptyTemplate() const;

  static OwnedBuffer Buffer(const std::string& bytes);

  LeadBytePredicate isLead;
  LyricsDocument text;
  TimestampList timestamps;
  MemoryTextWindow window;
  EditorDocument document;
};

bool operator==(const TimestampPair& a, const TimestampPair& b);
