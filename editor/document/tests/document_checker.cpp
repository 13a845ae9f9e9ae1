#include "editor/document/tests/document_checker.h"

#include <cstdio>

namespace {

constexpr uint16_t kBreak = 13;

}  // namespace

DocumentChecker::DocumentChecker(LeadBytePredicate isLead, const char* initialText,
                                 const NodeMemory& memory)
    : isLead_(isLead), document_(isLead, memory) {
  state_.codes = Decode(initialText);
  state_.flags.assign(state_.codes.size(), 0);
  state_.lyricsStart = Length();
  Same("initialise", 0, document_.Initialise(initialText), true);
  if (Length() > 0) Same("second initialise", 0, document_.Initialise("x"), false);
}

bool DocumentChecker::Same(const char* what, int64_t at, int64_t got, int64_t want) {
  if (got == want) return true;
  if (failure_.empty()) {
    char text[160];
    std::snprintf(text, sizeof text, "%s at %lld: document %lld, reference %lld", what,
                  static_cast<long long>(at), static_cast<long long>(got),
                  static_cast<long long>(want));
    failure_ = text;
  }
  return false;
}

// Written apart from the document's decoder: bytes up to the NUL, a lead
// byte takes the next byte unless that is the NUL.
std::vector<uint16_t> DocumentChecker::Decode(const std::string& text) const {
  std::vector<uint16_t> codes;
  for (size_t i = 0; i < text.size() && text[i]; ++i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const bool pair = isLead_(lead) && i + 1 < text.size() && text[i + 1];
    codes.push_back(pair ? static_cast<uint16_t>(lead + 256 * static_cast<unsigned char>(text[++i]))
                         : lead);
  }
  return codes;
}

int32_t DocumentChecker::CountCharacters(const std::string& text) const {
  return static_cast<int32_t>(Decode(text).size());
}

void DocumentChecker::Record(State before, EditStep edit, bool recorded) {
  redo_.clear();
  if (!recorded) {
    undo_.clear();
    return;
  }
  if (undo_.size() == 10) undo_.erase(undo_.begin());
  undo_.push_back(Snapshot{std::move(before), edit});
}

bool DocumentChecker::Replace(int32_t start, int32_t end, const std::string& text, int32_t count,
                              EditLog log) {
  const std::vector<uint16_t> inserted = Decode(text);
  const bool valid = start >= 0 && start <= end && end <= Length() && count >= 0 &&
                     count <= static_cast<int32_t>(inserted.size());
  ReplaceResult result{-1, false};
  if (!Same("replace accepted", start,
            document_.ReplaceRange(start, end, text.c_str(), count, log, &result), valid)) {
    return false;
  }
  if (!valid || (start == end && count == 0)) return true;
  last_ = start;
  State before = state_;
  State& s = state_;
  s.codes.erase(s.codes.begin() + start, s.codes.begin() + end);
  s.codes.insert(s.codes.begin() + start, inserted.begin(), inserted.begin() + count);
  s.flags.erase(s.flags.begin() + start, s.flags.begin() + end);
  s.flags.insert(s.flags.begin() + start, count, 0);
  if (start < s.lyricsStart) {
    s.lyricsStart = end <= s.lyricsStart ? s.lyricsStart + count - (end - start) : start + count;
  }
  const int32_t follow = start + count;
  // The character after the new text loses its syncpoint when it comes to
  // start a line; position 0 starts the first line.
  const bool dropped = follow < Length() && s.flags[follow] &&
                       (follow == 0 || s.codes[follow - 1] == kBreak);
  if (dropped) s.flags[follow] = 0;
  if (!Same("inserted", start, result.characters, count) ||
      !Same("dropped syncpoint", follow, result.droppedSyncpoint, dropped)) {
    return false;
  }
  const EditKind kind = dropped ? EditKind::kReplaceDroppingSyncpoint : EditKind::kReplace;
  Record(std::move(before), EditStep{kind, log == EditLog::kRecordRecolour, start, end - start, count},
         log != EditLog::kNone);
  return true;
}

bool DocumentChecker::Toggle(int32_t p, bool on, bool record) {
  State& s = state_;
  const bool allowed = p >= s.lyricsStart && p < Length() && s.codes[p] != kBreak && p > 0 &&
                       s.codes[p - 1] != kBreak && s.flags[p] != on;
  const bool done = on ? document_.SetSyncpoint(p, record) : document_.RemoveSyncpoint(p, record);
  if (!Same("toggle accepted", p, done, allowed)) return false;
  if (!allowed) return true;
  last_ = p;
  State before = s;
  s.flags[p] = on;
  Record(std::move(before), EditStep{EditKind::kSyncpoint, true, p, 0, 0}, record);
  return true;
}

// Peek, then apply the step, and move the reference's snapshot across.
bool DocumentChecker::Step(bool undo) {
  std::vector<Snapshot>& from = undo ? undo_ : redo_;
  std::vector<Snapshot>& to = undo ? redo_ : undo_;
  EditStep step{};
  std::string text;
  const bool any = undo ? document_.PeekUndo(&step, &text) : document_.PeekRedo(&step, &text);
  if (!Same("peek", 0, any, !from.empty())) return false;
  if (any) {
    const Snapshot& want = from.back();
    const EditStep& e = want.edit;
    // The text put back is what the state after the step holds there.
    std::string put;
    for (int32_t i = 0; i < (undo ? e.removedCount : e.insertedCount); ++i) {
      const uint16_t code = want.state.codes[e.position + i];
      put += static_cast<char>(code & 0xFF);
      if (code > 0xFF) put += static_cast<char>(code >> 8);
    }
    if (!Same("peeked kind", e.position, static_cast<int>(step.kind), static_cast<int>(e.kind)) ||
        !Same("peeked recolour", e.position, step.recolour, e.recolour) ||
        !Same("peeked position", e.position, step.position, e.position) ||
        !Same("peeked removed", e.position, step.removedCount, e.removedCount) ||
        !Same("peeked inserted", e.position, step.insertedCount, e.insertedCount) ||
        !Same("peeked text", e.position, text == put, true)) {
      return false;
    }
  }
  if (!Same(undo ? "undo" : "redo", 0, undo ? document_.ApplyUndo() : document_.ApplyRedo(), any)) {
    return false;
  }
  if (!any) return true;
  last_ = from.back().edit.position;
  to.push_back(Snapshot{state_, from.back().edit});
  state_ = std::move(from.back().state);
  from.pop_back();
  return true;
}

bool DocumentChecker::ClearHistory() {
  document_.ClearHistory();
  undo_.clear();
  redo_.clear();
  return Check(0, false);
}

bool DocumentChecker::CheckPosition(int32_t p, bool alsoArray) {
  const State& s = state_;
  const int32_t length = Length();
  const bool inside = p >= 0 && p < length;
  const int32_t at = p < -1 ? -1 : (p > length ? length : p);
  const uint16_t code = inside ? s.codes[p] : kBreak;
  const bool flag = inside && s.flags[p];
  const bool carries = inside && p >= s.lyricsStart && code != kBreak && p > 0 && s.codes[p - 1] != kBreak;
  const int32_t running = running_[at + 1];
  const int32_t unit = at < s.lyricsStart ? -1 : (running < 0 ? 0 : running);
  const int parity = running < 0 ? 1 : (running & 1);
  int32_t next = at + 1;  // the next timing point
  while (next < length && running_[next + 1] == running_[next]) ++next;
  if (next > length) next = length;
  int32_t lineEnd = at < 0 ? 0 : at;
  while (lineEnd < length && s.codes[lineEnd] != kBreak) ++lineEnd;
  const UnitParityEnd parityEnd = document_.UnitParityAndEnd(p);
  if (!Same("character", p, document_.CharacterAt(p), code) ||
      !Same("syncpoint", p, document_.IsSyncpointAt(p), flag) ||
      !Same("misplaced syncpoint in the reference", p, flag && !carries, false) ||
      !Same("can set", p, document_.CanSetSyncpoint(p), carries && !flag) ||
      !Same("can remove", p, document_.CanRemoveSyncpoint(p), carries && flag) ||
      !Same("unit index", p, document_.UnitIndexAt(p), unit) ||
      !Same("unit parity", p, parityEnd.parity, parity) ||
      !Same("unit end", p, parityEnd.end, next) ||
      !Same("line end", p, document_.LineEndFrom(p), lineEnd)) {
    return false;
  }
  if (!alsoArray) return true;
  // The display filter's rules over an array of the same text.
  const LyricsTextView view{chars_.data(), length, s.lyricsStart};
  const UnitParityEnd arrayEnd = UnitParityAndEnd(view, p);
  return Same("array unit index", p, UnitIndexAt(view, p), unit) &&
         Same("array unit parity", p, arrayEnd.parity, parity) &&
         Same("array unit end", p, arrayEnd.end, next) &&
         Same("array line end", p, LineEndFrom(view, p), lineEnd) &&
         Same("array unit position", unit, UnitPosition(view, unit),
              unit >= 0 && unit < static_cast<int32_t>(points_.size()) ? points_[unit] : -1);
}

bool DocumentChecker::CheckUnit(int32_t unit) {
  const bool exists = unit >= 0 && unit < static_cast<int32_t>(points_.size());
  return Same("unit position", unit, document_.UnitPosition(unit), exists ? points_[unit] : -1);
}

bool DocumentChecker::Check(uint32_t seed, bool sweep) {
  const State& s = state_;
  const int32_t length = Length();
  running_.assign(length + 2, -1);
  points_.clear();
  chars_.resize(length);
  bool anyFlag = false;
  for (int32_t p = 0; p < length; ++p) {
    const uint16_t before = p > 0 ? s.codes[p - 1] : kBreak;
    const bool point = p >= s.lyricsStart && s.codes[p] != kBreak && (before == kBreak || s.flags[p]);
    if (point) points_.push_back(p);
    running_[p + 1] = running_[p] + (point ? 1 : 0);
    anyFlag = anyFlag || s.flags[p];
    chars_[p] = LyricsChar{s.codes[p], s.flags[p]};
  }
  running_[length + 1] = running_[length];
  const int32_t units = static_cast<int32_t>(points_.size());
  if (!Same("length", 0, document_.Length(), length) ||
      !Same("lyrics start", 0, document_.LyricsStart(), s.lyricsStart) ||
      !Same("unit count", 0, document_.UnitCount(), units) ||
      !Same("array unit count", 0, CountUnits(LyricsTextView{chars_.data(), length, s.lyricsStart}), units) ||
      !Same("any syncpoint", 0, document_.HasAnySyncpoint(), anyFlag) ||
      !Same("undo count", 0, document_.UndoCount(), static_cast<int64_t>(undo_.size())) ||
      !Same("redo count", 0, document_.RedoCount(), static_cast<int64_t>(redo_.size()))) {
    return false;
  }
  // First where the last operation was, where the cursors are likely to
  // stand; then at the extremes, in one sweep (as the editor uses the
  // cursors), and at random.
  for (int32_t p = last_ - 1; p <= last_ + 1; ++p) {
    if (!CheckPosition(p, false)) return false;
  }
  if (!CheckPosition(INT32_MIN, true) || !CheckPosition(INT32_MAX, true)) return false;
  for (int32_t i = -1; sweep && i <= length; ++i) {
    if (!CheckPosition((seed & 1) ? i : length - 1 - i, false)) return false;
  }
  for (int32_t unit = 0; sweep && unit < units; ++unit) {
    if (!CheckUnit(unit)) return false;
  }
  uint32_t random = seed * 2654435761u + 1;
  for (int i = 0; i < 3; ++i) {
    random = random * 1103515245u + 12345u;
    const int32_t p = static_cast<int32_t>(random % static_cast<uint32_t>(length + 4)) - 2;
    const int32_t unit = static_cast<int32_t>((random >> 8) % static_cast<uint32_t>(units + 2)) - 1;
    const bool unitFirst = random & 0x10000;
    if ((unitFirst && !CheckUnit(unit)) || !CheckPosition(p, true) || (!unitFirst && !CheckUnit(unit))) {
      return false;
    }
  }
  // The cursors end near the last operation, where the next one often is.
  return CheckPosition(last_ + static_cast<int32_t>(seed % 3) - 1, true);
}
