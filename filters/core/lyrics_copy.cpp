#include "filters/core/lyrics_copy.h"

#include <cstring>

namespace {

constexpr uint16_t kLineBreak = 13;

// The character before position p; the text behaves as if a line break
// stood before its first character.
uint16_t CodeBefore(const std::vector<LyricsChar>& chars, size_t p) {
  return p == 0 ? kLineBreak : chars[p - 1].code;
}

bool IsTimingPoint(const std::vector<LyricsChar>& chars, size_t p) {
  return chars[p].code != kLineBreak &&
         (CodeBefore(chars, p) == kLineBreak || chars[p].syncpoint);
}

void AppendBytes(uint16_t code, std::string& out) {
  out.push_back(static_cast<char>(code & 0xFF));
  if (code >> 8) out.push_back(static_cast<char>(code >> 8));
}

std::vector<LyricsChar> Decode(const char* text, size_t count, LeadBytePredicate isLead) {
  std::vector<LyricsChar> out;
  if (!text) return out;
  size_t length = strlen(text);
  for (size_t pos = 0; pos < length && out.size() < count;) {
    size_t size = CharacterSize(text, pos, length, isLead);
    uint16_t code = static_cast<unsigned char>(text[pos]);
    if (size == 2) code |= uint16_t(static_cast<unsigned char>(text[pos + 1]) << 8);
    out.push_back({code, false});
    pos += size;
  }
  return out;
}

}  // namespace

bool LyricsCopy::Replace(size_t start, size_t end, const char* text, size_t count,
                         LeadBytePredicate isLead) {
  if (start > end || end > chars_.size()) return false;
  std::vector<LyricsChar> added = Decode(text, count, isLead);
  auto from = chars_.begin() + static_cast<std::ptrdiff_t>(start);
  chars_.erase(from, chars_.begin() + static_cast<std::ptrdiff_t>(end));
  chars_.insert(chars_.begin() + static_cast<std::ptrdiff_t>(start), added.begin(), added.end());
  size_t after = start + added.size();
  if (after < chars_.size() && CodeBefore(chars_, after) == kLineBreak) {
    chars_[after].syncpoint = false;
  }
  stale_ = true;
  return true;
}

void LyricsCopy::Append(const char* text, LeadBytePredicate isLead) {
  Replace(chars_.size(), chars_.size(), text, static_cast<size_t>(-1), isLead);
}

bool LyricsCopy::SetSyncpoint(size_t position, bool on) {
  if (position >= chars_.size()) return false;
  if (on && (chars_[position].code == kLineBreak || CodeBefore(chars_, position) == kLineBreak)) {
    return false;
  }
  chars_[position].syncpoint = on;
  stale_ = true;
  return true;
}

void LyricsCopy::Clear() {
  chars_.clear();
  stale_ = true;
}

const std::vector<UnitSpan>& LyricsCopy::Units() const {
  if (stale_) Rebuild();
  return units_;
}

const std::string& LyricsCopy::UnitBytes() const {
  if (stale_) Rebuild();
  return unitBytes_;
}

void LyricsCopy::Rebuild() const {
  units_.clear();
  unitBytes_.clear();
  for (size_t p = 0; p < chars_.size(); ++p) {
    if (chars_[p].code == kLineBreak) continue;
    if (IsTimingPoint(chars_, p)) units_.push_back({p, 0, unitBytes_.size(), 0});
    if (units_.empty()) continue;
    UnitSpan& unit = units_.back();
    ++unit.count;
    AppendBytes(chars_[p].code, unitBytes_);
    unit.byteCount = unitBytes_.size() - unit.byteOffset;
  }
  stale_ = false;
}
