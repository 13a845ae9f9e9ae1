// Assembles ".km" file bytes for tests, so that test files are readable
// source rather than opaque binaries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lyrics/km_format.h"
#include "lyrics/owned_buffer.h"

class KmBuilder {
 public:
  KmBuilder& Header(std::string title, std::string artist = "", std::string album = "",
                    std::string editor = "");
  // Adds a distinct line text (without its NUL).
  KmBuilder& Line(std::string text);
  // Adds a sync entry.
  KmBuilder& Piece(uint16_t line, uint16_t startByte, uint16_t endByte, uint32_t startTime,
                   uint32_t endTime, uint16_t blankLines = 0);
  // Replaces the whole text data (header strings, lines and padding).
  KmBuilder& RawText(std::string text);

  // The text data as it will be stored: header strings, line texts, padding.
  std::string TextData() const;
  // The whole file.
  std::string Bytes() const;

 private:
  std::vector<std::string> header_{8};
  std::vector<std::string> lines_;
  std::vector<KmSyncEntry> entries_;
  bool rawText_ = false;
  std::string raw_;
};

// The byte offsets of the fields of a built file with text data of `textSize`.
constexpr size_t kKmSizeFieldOffset = 4;
constexpr size_t KmSyncIdOffset(size_t textSize) { return 16 + textSize; }
constexpr size_t KmSyncSizeOffset(size_t textSize) { return 20 + textSize; }

void PutLe32(std::string& bytes, size_t offset, uint32_t value);
OwnedBuffer ToBuffer(const std::string& bytes);
