#include "lyrics/tests/km_builder.h"

#include "lyrics/byte_order.h"

KmBuilder& KmBuilder::Header(std::string title, std::string artist, std::string album,
                             std::string editor) {
  header_[0] = std::move(title);
  header_[1] = std::move(artist);
  header_[2] = std::move(album);
  header_[3] = std::move(editor);
  return *this;
}

KmBuilder& KmBuilder::Line(std::string text) {
  lines_.push_back(std::move(text));
  return *this;
}

KmBuilder& KmBuilder::Piece(uint16_t line, uint16_t startByte, uint16_t endByte,
                            uint32_t startTime, uint32_t endTime, uint16_t blankLines) {
  entries_.push_back(KmSyncEntry{line, blankLines, startByte, endByte, startTime, endTime});
  return *this;
}

KmBuilder& KmBuilder::RawText(std::string text) {
  rawText_ = true;
  raw_ = std::move(text);
  return *this;
}

std::string KmBuilder::TextData() const {
  if (rawText_) return raw_;
  std::string text;
  for (const std::string& s : header_) text += s + '\0';
  for (const std::string& s : lines_) text += s + '\0';
  while (text.size() % 4) text += '\0';
  return text;
}

std::string KmBuilder::Bytes() const {
  const std::string text = TextData();
  std::string sync(entries_.size() * kKmSyncEntrySize, '\0');
  for (size_t i = 0; i < entries_.size(); ++i) {
    WriteKmSyncEntry(entries_[i], reinterpret_cast<unsigned char*>(&sync[i * kKmSyncEntrySize]));
  }
  std::string file("KM\0\0", 4);
  file += std::string(4, '\0');
  file += "TEXT";
  file += std::string(4, '\0');
  file += text;
  file += "SYNC";
  file += std::string(4, '\0');
  file += sync;
  PutLe32(file, kKmSizeFieldOffset, static_cast<uint32_t>(file.size() - 8));
  PutLe32(file, 12, static_cast<uint32_t>(text.size()));
  PutLe32(file, KmSyncSizeOffset(text.size()), static_cast<uint32_t>(sync.size()));
  return file;
}

void PutLe32(std::string& bytes, size_t offset, uint32_t value) {
  WriteLe32(reinterpret_cast<unsigned char*>(&bytes[offset]), value);
}

OwnedBuffer ToBuffer(const std::string& bytes) {
  OwnedBuffer buffer;
  buffer.Assign(bytes.data(), bytes.size());
  return buffer;
}
