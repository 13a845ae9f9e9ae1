#include "filters/core/lyrics_copy.h"

#include <cstring>

#include "editor/document/character_code.h"

bool LyricsCopy::Replace(size_t start, size_t end, const char* text, size_t count,
                         LeadBytePredicate isLead) {
  if (start > end || end > chars_.size()) return false;
  std::vector<LyricsChar> added;
  for (size_t pos = 0; text && text[pos] != '\0' && added.size() < count;) {
    size_t bytes = 1;
    added.push_back({DecodeCharacter(text, pos, isLead, &bytes), 0});
    pos += bytes;
  }
  chars_.erase(chars_.begin() + static_cast<std::ptrdiff_t>(start),
               chars_.begin() + static_cast<std::ptrdiff_t>(end));
  chars_.insert(chars_.begin() + static_cast<std::ptrdiff_t>(start), added.begin(), added.end());
  size_t after = start + added.size();
  if (after < chars_.size() && !CanCarrySyncpoint(CodeBefore(after), chars_[after].code)) {
    chars_[after].syncpoint = 0;
  }
  stale_ = true;
  return true;
}

void LyricsCopy::Append(const char* text, LeadBytePredicate isLead) {
  Replace(chars_.size(), chars_.size(), text, SIZE_MAX, isLead);
}

bool LyricsCopy::SetSyncpoint(size_t position, bool on) {
  if (position >= chars_.size()) return false;
  if (on && !CanCarrySyncpoint(CodeBefore(position), chars_[position].code)) return false;
  chars_[position].syncpoint = on ? 1 : 0;
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

uint16_t LyricsCopy::CodeBefore(size_t position) const {
  return position == 0 ? kLineBreakCode : chars_[position - 1].code;
}

void LyricsCopy::Rebuild() const {
  units_.clear();
  unitBytes_.clear();
  for (size_t p = 0; p < chars_.size(); ++p) {
    const LyricsChar& c = chars_[p];
    if (IsTimingPoint(CodeBefore(p), c.code, c.syncpoint != 0)) {
      units_.push_back({p, 0, unitBytes_.size(), 0});
    }
    // A unit ends at its line's break; the break belongs to no unit.
    if (units_.empty() || IsLineBreak(c.code)) continue;
    UnitSpan& unit = units_.back();
    char bytes[2];
    unitBytes_.append(bytes, EncodeCharacter(c.code, bytes));
    ++unit.count;
    unit.byteCount = unitBytes_.size() - unit.byteOffset;
  }
  stale_ = false;
}
