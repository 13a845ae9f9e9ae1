#include "editor/document/tests/document_checker.h"

#include <cstdio>

namespace {

constexpr uint16_t kBreak = 13;

std::string Describe(const char* what, int64_t p, int64_t got, int64_t want) {
  char text[160];
  std::snprintf(text, sizeof text, "%s at %lld: document %lld, reference %lld", what,
                static_cast<long long>(p), static_cast<long long>(got),
                static_cast<long long>(want));
  return text;
}

}  // namespace

DocumentChecker::DocumentChecker(LeadBytePredicate isLead, const char* initialText,
                                 const NodeMemory& memory)
    : isLead_(isLead), document_(isLead, memory) {
  state_.codes = Decode(initialText);
  state_.flags.assign(state_.codes.size(), 0);
  state_.lyricsStart = static_cast<int32_t>(state_.codes.size());
  if (!document_.Initialise(initialText)) Fail("initialise failed");
  if (!state_.codes.empty() && document_.Initialise("x")) Fail("initialise accepted a second text");
}

bool DocumentChecker::Fail(const std::string& what) {
  if (failure_.empty()) failure_ = what;
  return false;
}

// Written apart from the document's decoder: bytes up to the NUL, a lead
// byte takes the next byte unless that is the NUL.
std::vector<uint16_t> DocumentChecker::Decode(const std::string& text) const {
  std::vector<uint16_t> codes;
  const char* bytes = text.c_str();
  for (size_t i = 0; bytes[i]; ++i) {
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    if (isLead_(lead) && bytes[i + 1]) {
      codes.push_back(static_cast<uint16_t>(lead + 256 * static_cast<unsigned char>(bytes[++i])));
    } else {
      codes.push_back(lead);
    }
  }
  return codes;
}

std::string DocumentChecker::Encode(const std::vector<uint16_t>& codes, int32_t from,
                                    int32_t count) const {
  std::string text;
  for (int32_t i = from; i < from + count; ++i) {
    text += static_cast<char>(codes[i] & 0xFF);
    if (codes[i] > 0xFF) text += static_cast<char>(codes[i] >> 8);
  }
  return text;
}

void DocumentChecker::Record(State before, EditStep edit, bool recorded) {
  redo_.clear();
  if (!recorded) {
    undo_.clear();
    return;
  }
  if (undo_.size() == 10) undo_.erase(undo_.begin());
  undo_.push_back(Step{std::move(before), edit});
}

bool DocumentChecker::Replace(int32_t start, int32_t end, const std::string& text, int32_t count,
                              EditLog log) {
  const std::vector<uint16_t> inserted = Decode(text);
  const int32_t length = Length();
  const bool valid = start >= 0 && start <= end && end <= length && count >= 0 &&
                     count <= static_cast<int32_t>(inserted.size());
  ReplaceResult result{-1, false};
  const bool done = document_.ReplaceRange(start, end, text.c_str(), count, log, &result);
  if (done != valid) return Fail(Describe("replace accepted", start, done, valid));
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
  const bool dropped = follow < Length() && s.flags[follow] &&
                       (follow == 0 || s.codes[follow - 1] == kBreak);
  if (dropped) s.flags[follow] = 0;
  if (result.characters != count || result.droppedSyncpoint != dropped) {
    return Fail(Describe("replace result", start, result.droppedSyncpoint, dropped));
  }
  const EditKind kind = dropped ? EditKind::kReplaceDroppingSyncpoint : EditKind::kReplace;
  Record(std::move(before), EditStep{kind, log == EditLog::kRecordRecolour, start, end - start, count},
         log != EditLog::kNone);
  return true;
}

bool DocumentChecker::Toggle(int32_t p, bool on, bool record) {
  State& s = state_;
  const bool allowed = p >= s.lyricsStart && p < Length() && s.codes[p] != kBreak &&
                       p > 0 && s.codes[p - 1] != kBreak && s.flags[p] != on;
  const bool done = on ? document_.SetSyncpoint(p, record) : document_.RemoveSyncpoint(p, record);
  if (done != allowed) return Fail(Describe(on ? "set syncpoint" : "remove syncpoint", p, done, allowed));
  if (!allowed) return true;
  last_ = p;
  State before = s;
  s.flags[p] = on;
  Record(std::move(before), EditStep{EditKind::kSyncpoint, true, p, 0, 0}, record);
  return true;
}

bool DocumentChecker::CheckPeek(bool undo) {
  EditStep step{};
  std::string text;
  const bool any = undo ? document_.PeekUndo(&step, &text) : document_.PeekRedo(&step, &text);
  const std::vector<Step>& steps = undo ? undo_ : redo_;
  if (any != !steps.empty()) return Fail(Describe(undo ? "peek undo" : "peek redo", 0, any, !any));
  if (!any) return true;
  const Step& want = steps.back();
  const EditStep& e = want.edit;
  if (step.kind != e.kind || step.recolour != e.recolour || step.position != e.position ||
      step.removedCount != e.removedCount || step.insertedCount != e.insertedCount) {
    return Fail(Describe("peeked step", e.position, static_cast<int>(step.kind),
                         static_cast<int>(e.kind)));
  }
  // The text put back is what the state after the step holds in its place.
  const int32_t count = undo ? e.removedCount : e.insertedCount;
  if (text != Encode(want.state.codes, e.position, count)) {
    return Fail(Describe("peeked text", e.position, static_cast<int64_t>(text.size()), count));
  }
  return true;
}

bool DocumentChecker::Undo() {
  if (!CheckPeek(true)) return false;
  const bool done = document_.ApplyUndo();
  if (done != !undo_.empty()) return Fail(Describe("undo", 0, done, !done));
  if (!done) return true;
  last_ = undo_.back().edit.position;
  redo_.push_back(Step{state_, undo_.back().edit});
  state_ = std::move(undo_.back().state);
  undo_.pop_back();
  return true;
}

bool DocumentChecker::Redo() {
  if (!CheckPeek(false)) return false;
  const bool done = document_.ApplyRedo();
  if (done != !redo_.empty()) return Fail(Describe("redo", 0, done, !done));
  if (!done) return true;
  last_ = redo_.back().edit.position;
  undo_.push_back(Step{state_, redo_.back().edit});
  state_ = std::move(redo_.back().state);
  redo_.pop_back();
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
  const uint16_t before = p > 0 && p <= length ? s.codes[p - 1] : kBreak;
  const bool flag = inside && s.flags[p];
  const bool carries = p >= s.lyricsStart && inside && code != kBreak && before != kBreak;
  if (document_.CharacterAt(p) != code) return Fail(Describe("character", p, document_.CharacterAt(p), code));
  if (document_.IsSyncpointAt(p) != flag) return Fail(Describe("syncpoint", p, !flag, flag));
  if (flag && !carries) return Fail(Describe("reference keeps a misplaced syncpoint", p, 1, 0));
  if (document_.CanSetSyncpoint(p) != (carries && !flag)) return Fail(Describe("can set", p, flag, !flag));
  if (document_.CanRemoveSyncpoint(p) != (carries && flag)) return Fail(Describe("can remove", p, !flag, flag));

  const int32_t running = running_[at + 1];
  const int32_t unit = at < s.lyricsStart ? -1 : (running < 0 ? 0 : running);
  if (document_.UnitIndexAt(p) != unit) return Fail(Describe("unit index", p, document_.UnitIndexAt(p), unit));
  int32_t next = at + 1;
  while (next < length && running_[next + 1] == running_[next]) ++next;
  if (next > length) next = length;
  const UnitParityEnd parityEnd = document_.UnitParityAndEnd(p);
  const int parity = running < 0 ? 1 : (running & 1);
  if (parityEnd.parity != parity || parityEnd.end != next) {
    return Fail(Describe("unit end", p, parityEnd.end * 2 + parityEnd.parity, next * 2 + parity));
  }
  int32_t lineEnd = at < 0 ? 0 : at;
  while (lineEnd < length && s.codes[lineEnd] != kBreak) ++lineEnd;
  if (document_.LineEndFrom(p) != lineEnd) return Fail(Describe("line end", p, document_.LineEndFrom(p), lineEnd));

  if (!alsoArray) return true;
  // The display filter's rules over an array of the same text.
  const LyricsTextView view{chars_.data(), length, s.lyricsStart};
  if (UnitIndexAt(view, p) != unit) return Fail(Describe("array unit index", p, UnitIndexAt(view, p), unit));
  const UnitParityEnd arrayEnd = UnitParityAndEnd(view, p);
  if (arrayEnd.parity != parity || arrayEnd.end != next) return Fail(Describe("array unit end", p, arrayEnd.end, next));
  if (LineEndFrom(view, p) != lineEnd) return Fail(Describe("array line end", p, LineEndFrom(view, p), lineEnd));
  if (unit >= 0 && UnitPosition(view, unit) != document_.UnitPosition(unit)) {
    return Fail(Describe("array unit position", unit, UnitPosition(view, unit), document_.UnitPosition(unit)));
  }
  return true;
}

int32_t DocumentChecker::CountCharacters(const std::string& text) const {
  return static_cast<int32_t>(Decode(text).size());
}

bool DocumentChecker::Check(uint32_t seed, bool sweep) {
  const State& s = state_;
  const int32_t length = Length();
  running_.assign(length + 2, -1);
  points_.clear();
  int32_t flags = 0;
  for (int32_t p = 0; p < length; ++p) {
    const uint16_t before = p > 0 ? s.codes[p - 1] : kBreak;
    const bool point = p >= s.lyricsStart && s.codes[p] != kBreak && (before == kBreak || s.flags[p]);
    if (point) points_.push_back(p);
    running_[p + 1] = running_[p] + (point ? 1 : 0);
    flags += s.flags[p];
  }
  running_[length + 1] = running_[length];
  chars_.resize(length);
  for (int32_t i = 0; i < length; ++i) chars_[i] = LyricsChar{s.codes[i], s.flags[i]};
  const int32_t units = static_cast<int32_t>(points_.size());
  if (document_.Length() != length) return Fail(Describe("length", 0, document_.Length(), length));
  if (document_.LyricsStart() != s.lyricsStart) {
    return Fail(Describe("lyrics start", 0, document_.LyricsStart(), s.lyricsStart));
  }
  if (document_.UnitCount() != units) return Fail(Describe("unit count", 0, document_.UnitCount(), units));
  if (document_.HasAnySyncpoint() != (flags > 0)) return Fail(Describe("any syncpoint", 0, flags == 0, flags > 0));
  if (document_.UndoCount() != static_cast<int32_t>(undo_.size()) ||
      document_.RedoCount() != static_cast<int32_t>(redo_.size())) {
    return Fail(Describe("history counts", 0, document_.UndoCount() * 100 + document_.RedoCount(),
                         static_cast<int64_t>(undo_.size() * 100 + redo_.size())));
  }

  if (CountUnits(LyricsTextView{chars_.data(), length, s.lyricsStart}) != units) {
    return Fail("array unit count");
  }
  // First where the last operation was, where the cursors are likely to
  // stand; then at the extremes, in one sweep (as the editor uses the
  // cursors), and at random.
  for (int32_t p = last_ - 1; p <= last_ + 1; ++p) {
    if (!CheckPosition(p, false)) return false;
  }
  if (!CheckPosition(INT32_MIN, true) || !CheckPosition(INT32_MAX, true)) return false;
  const bool forward = seed & 1;
  for (int32_t i = -1; sweep && i <= length; ++i) {
    if (!CheckPosition(forward ? i : length - 1 - i, false)) return false;
  }
  for (int32_t unit = 0; sweep && unit < units; ++unit) {
    if (document_.UnitPosition(unit) != points_[unit]) {
      return Fail(Describe("unit position", unit, document_.UnitPosition(unit), points_[unit]));
    }
  }
  uint32_t random = seed * 2654435761u + 1;
  for (int i = 0; i < 3; ++i) {
    random = random * 1103515245u + 12345u;
    const int32_t p = static_cast<int32_t>(random % static_cast<uint32_t>(length + 4)) - 2;
    const int32_t unit = static_cast<int32_t>((random >> 8) % static_cast<uint32_t>(units + 2)) - 1;
    const int32_t want = unit >= 0 && unit < units ? points_[unit] : -1;
    const bool unitFirst = random & 0x10000;
    if (!unitFirst && !CheckPosition(p, true)) return false;
    if (document_.UnitPosition(unit) != want) {
      return Fail(Describe("unit position", unit, document_.UnitPosition(unit), want));
    }
    if (unitFirst && !CheckPosition(p, true)) return false;
  }
  // The cursors end near the last operation, where the next one often is.
  return CheckPosition(last_ + static_cast<int32_t>(seed % 3) - 1, true);
}
