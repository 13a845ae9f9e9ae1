#include "editor/document/lyrics_document.h"

#include "editor/document/character_code.h"

namespace {

// The end of the text is a position too, so the length stays below the
// largest position.
constexpr int64_t kMaxLength = INT32_MAX - 1;

int64_t Distance(int32_t a, int32_t b) {
  const int64_t d = static_cast<int64_t>(a) - b;
  return d < 0 ? -d : d;
}

int32_t Clamp(int32_t p, int32_t low, int32_t high) { return p < low ? low : (p > high ? high : p); }

// Where the lyrics start after [start, end) was replaced by `count`
// characters: an edit from the lyrics start on is in the lyrics; one before
// it moves it; text that replaced header characters up to past it is
// header.
int32_t LyricsStartAfter(int32_t lyricsStart, int32_t start, int32_t end, int32_t count) {
  if (start >= lyricsStart) return lyricsStart;
  return end <= lyricsStart ? lyricsStart + count - (end - start) : start + count;
}

}  // namespace

LyricsDocument::LyricsDocument(LeadBytePredicate isLead, const NodeMemory& memory)
    : isLead_(isLead),
      pool_(memory),
      history_(pool_),
      head_{kLineBreakCode, 0, &tail_, nullptr},
      tail_{kLineBreakCode, 0, nullptr, &head_},
      positionCursor_{&head_, -1},
      unitCursor_{NodePlace{&head_, -1}, -1} {}

bool LyricsDocument::Initialise(const char* text) {
  if (length_ != 0 || !text) return false;
  int32_t count = 0;
  for (size_t pos = 0, bytes = 0; text[pos]; pos += bytes, ++count) {
    DecodeCharacter(text, pos, isLead_, &bytes);
    if (count == kMaxLength) return false;
  }
  Chain chain;
  if (!TakeCharacters(text, count, &chain)) return false;
  bool dropped = false;
  Splice(0, 0, chain, 0, &dropped);
  lyricsStart_ = length_;
  unitCount_ = 0;
  syncpointCount_ = 0;
  unitCursor_ = NodeWalker{NodePlace{Head(), -1}, -1};
  history_.Clear();
  return true;
}

bool LyricsDocument::TakeCharacters(const char* text, int32_t count, Chain* chain) {
  *chain = Chain{nullptr, nullptr, 0};
  size_t pos = 0;
  for (int32_t i = 0; i < count; ++i) {
    CharNode* node = text[pos] ? pool_.Take() : nullptr;
    if (!node) {
      pool_.Give(chain->first);
      *chain = Chain{nullptr, nullptr, 0};
      return false;
    }
    size_t bytes = 0;
    node->code = DecodeCharacter(text, pos, isLead_, &bytes);
    node->syncpoint = 0;
    node->next = nullptr;
    node->prev = chain->last;
    if (chain->last) {
      chain->last->next = node;
    } else {
      chain->first = node;
    }
    chain->last = node;
    ++chain->count;
    pos += bytes;
  }
  return true;
}

CharNode* LyricsDocument::Locate(int32_t p) const {
  NodePlace from{Head(), -1};
  const NodePlace candidates[] = {{Tail(), length_}, positionCursor_, unitCursor_.at};
  for (const NodePlace& candidate : candidates) {
    if (Distance(candidate.position, p) < Distance(from.position, p)) from = candidate;
  }
  while (from.position < p) from.Forward();
  while (from.position > p) from.Back();
  positionCursor_ = from;
  return from.node;
}

void LyricsDocument::UnitCursorNear(int32_t target, bool byUnit) const {
  const NodeWalker ends[] = {{NodePlace{Head(), -1}, -1}, {NodePlace{Tail(), length_}, unitCount_ - 1}};
  for (const NodeWalker& end : ends) {
    if (Distance(byUnit ? end.unit : end.at.position, target) <
        Distance(byUnit ? unitCursor_.unit : unitCursor_.at.position, target)) {
      unitCursor_ = end;
    }
  }
}

LyricsDocument::NodeWalker& LyricsDocument::UnitCursorAt(int32_t p) const {
  UnitCursorNear(p, false);
  unitCursor_.MoveTo(p, lyricsStart_);
  return unitCursor_;
}

LyricsDocument::NodeWalker& LyricsDocument::UnitCursorAtUnit(int32_t unit) const {
  UnitCursorNear(unit, true);
  unitCursor_.MoveToUnit(unit, lyricsStart_);
  return unitCursor_;
}

int32_t LyricsDocument::CountTimingPoints(CharNode* first, int32_t position, int32_t count) const {
  NodePlace at{first, position};
  int32_t points = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (i > 0) at.Forward();
    if (AtTimingPoint(at, lyricsStart_)) ++points;
  }
  return points;
}

LyricsDocument::Chain LyricsDocument::Splice(int32_t start, int32_t end, Chain chain,
                                             int32_t lyricsStart, bool* droppedSyncpoint) {
  // A unit cursor inside the range steps back before it; the position
  // cursor goes there anyway.
  if (unitCursor_.at.position >= start && unitCursor_.at.position < end) {
    unitCursor_.MoveTo(start - 1, lyricsStart_);
  }
  CharNode* before = Locate(start - 1);
  // Only the characters from `start` to the one after the range can change
  // being timing points: those before keep their neighbours, those after
  // keep theirs and stay on their side of the lyrics start.
  const int32_t unitsBefore = CountTimingPoints(before->next, start, end - start + 1);
  CharNode* follow = before->next;
  int32_t flagsRemoved = 0;
  for (int32_t i = start; i < end; ++i, follow = follow->next) flagsRemoved += follow->syncpoint;

  Chain removed{nullptr, nullptr, end - start};
  if (end > start) {
    removed.first = before->next;
    removed.last = follow->prev;
    removed.first->prev = nullptr;
    removed.last->next = nullptr;
  }
  int32_t flagsInserted = 0;
  if (chain.first) {
    before->next = chain.first;
    chain.first->prev = before;
    chain.last->next = follow;
    follow->prev = chain.last;
    for (CharNode* node = chain.first; node != follow; node = node->next) {
      flagsInserted += node->syncpoint;
    }
  } else {
    before->next = follow;
    follow->prev = before;
  }

  const int32_t delta = chain.count - removed.count;
  length_ += delta;
  lyricsStart_ = lyricsStart;
  *droppedSyncpoint = follow->syncpoint && !CanCarrySyncpoint(follow->prev->code, follow->code);
  if (*droppedSyncpoint) follow->syncpoint = 0;

  const int32_t unitsAfter = CountTimingPoints(before->next, start, chain.count + 1);
  unitCount_ += unitsAfter - unitsBefore;
  syncpointCount_ += flagsInserted - flagsRemoved - (*droppedSyncpoint ? 1 : 0);
  if (unitCursor_.at.position >= end) {
    unitCursor_.at.position += delta;
    unitCursor_.unit += unitsAfter - unitsBefore;
  }
  return removed;
}

bool LyricsDocument::ReplaceRange(int32_t start, int32_t end, const char* text, int32_t count,
                                  EditLog log, ReplaceResult* result) {
  if (start < 0 || end < start || end > length_ || count < 0 || (count > 0 && !text)) return false;
  if (static_cast<int64_t>(length_) - (end - start) + count > kMaxLength) return false;
  ReplaceResult done{count, false};
  if (start < end || count > 0) {
    Chain chain;
    if (!TakeCharacters(text, count, &chain)) return false;
    const int32_t lyricsStartBefore = lyricsStart_;
    const Chain removed = Splice(start, end, chain,
                                 LyricsStartAfter(lyricsStart_, start, end, count),
                                 &done.droppedSyncpoint);
    if (log == EditLog::kNone) {
      pool_.Give(removed.first);
      history_.Clear();
    } else {
      EditRecord& record = history_.Push();
      record = EditRecord{done.droppedSyncpoint ? EditKind::kReplaceDroppingSyncpoint
                                                : EditKind::kReplace,
                          log == EditLog::kRecordRecolour, start, end - start, count,
                          lyricsStartBefore, removed.first};
    }
  }
  if (result) *result = done;
  return true;
}

bool LyricsDocument::CanSetSyncpoint(int32_t p) const {
  if (p < lyricsStart_ || p >= length_) return false;
  const CharNode* node = Locate(p);
  return !node->syncpoint && CanCarrySyncpoint(node->prev->code, node->code);
}

bool LyricsDocument::CanRemoveSyncpoint(int32_t p) const {
  if (p < lyricsStart_ || p >= length_) return false;
  const CharNode* node = Locate(p);
  return node->syncpoint && CanCarrySyncpoint(node->prev->code, node->code);
}

void LyricsDocument::SetFlag(int32_t p, bool on) {
  CharNode* node = Locate(p);
  if ((node->syncpoint != 0) == on) return;
  NodePlace at{node, p};
  const bool wasPoint = AtTimingPoint(at, lyricsStart_);
  node->syncpoint = on ? 1 : 0;
  syncpointCount_ += on ? 1 : -1;
  const int32_t change = (AtTimingPoint(at, lyricsStart_) ? 1 : 0) - (wasPoint ? 1 : 0);
  unitCount_ += change;
  if (unitCursor_.at.position >= p) unitCursor_.unit += change;
}

bool LyricsDocument::ToggleSyncpoint(int32_t p, bool on, bool record) {
  if (!(on ? CanSetSyncpoint(p) : CanRemoveSyncpoint(p))) return false;
  SetFlag(p, on);
  if (record) {
    history_.Push() = EditRecord{EditKind::kSyncpoint, true, p, 0, 0, lyricsStart_, nullptr};
  } else {
    history_.Clear();
  }
  return true;
}

bool LyricsDocument::SetSyncpoint(int32_t p, bool record) { return ToggleSyncpoint(p, true, record); }

bool LyricsDocument::RemoveSyncpoint(int32_t p, bool record) {
  return ToggleSyncpoint(p, false, record);
}

uint16_t LyricsDocument::CharacterAt(int32_t p) const {
  if (p < 0 || p >= length_) return kLineBreakCode;
  return Locate(p)->code;
}

bool LyricsDocument::IsSyncpointAt(int32_t p) const {
  return p >= 0 && p < length_ && Locate(p)->syncpoint != 0;
}

int32_t LyricsDocument::UnitIndexAt(int32_t p) const {
  p = Clamp(p, -1, length_);
  return ReportedUnitIndex(UnitCursorAt(p).unit, p, lyricsStart_);
}

UnitParityEnd LyricsDocument::UnitParityAndEnd(int32_t p) const {
  return UnitCursorAt(Clamp(p, -1, length_)).TakeParityAndEnd(lyricsStart_);
}

int32_t LyricsDocument::UnitPosition(int32_t unit) const {
  if (unit < 0 || unit >= unitCount_) return -1;
  return UnitCursorAtUnit(unit).at.position;
}

int32_t LyricsDocument::LineEndFrom(int32_t p) const {
  p = Clamp(p, 0, length_);
  NodePlace at{Locate(p), p};
  MoveToLineEnd(at);
  positionCursor_ = at;
  return at.position;
}

bool LyricsDocument::Peek(const EditRecord* record, EditStep* step, std::string* text) const {
  if (!record) return false;
  if (step) {
    *step = EditStep{record->kind, record->recolour, record->position, record->removedCount,
                     record->insertedCount};
  }
  if (text) {
    text->clear();
    char bytes[2];
    for (const CharNode* node = record->kept; node; node = node->next) {
      text->append(bytes, EncodeCharacter(node->code, bytes));
    }
  }
  return true;
}

bool LyricsDocument::PeekUndo(EditStep* step, std::string* text) const {
  return Peek(history_.NextUndo(), step, text);
}

bool LyricsDocument::PeekRedo(EditStep* step, std::string* text) const {
  return Peek(history_.NextRedo(), step, text);
}

bool LyricsDocument::Fits(const EditRecord& record, bool undo) const {
  const int32_t p = record.position;
  if (record.kind == EditKind::kSyncpoint) return CanSetSyncpoint(p) || CanRemoveSyncpoint(p);
  const int32_t taken = undo ? record.insertedCount : record.removedCount;
  return p >= 0 && taken >= 0 && taken <= length_ - p;
}

void LyricsDocument::Restore(EditRecord& record, bool undo) {
  if (record.kind == EditKind::kSyncpoint) {
    SetFlag(record.position, !IsSyncpointAt(record.position));
    return;
  }
  Chain chain{record.kept, record.kept, 0};
  for (CharNode* node = record.kept; node; node = node->next) {
    chain.last = node;
    ++chain.count;
  }
  const int32_t taken = undo ? record.insertedCount : record.removedCount;
  // Undo puts the lyrics start back where it was, which the rule for new
  // edits cannot tell (an edit that replaced header text up to past it).
  const int32_t lyricsStart =
      undo ? record.lyricsStart
           : LyricsStartAfter(record.lyricsStart, record.position,
                              record.position + record.removedCount, record.insertedCount);
  bool dropped = false;
  record.kept = Splice(record.position, record.position + taken, chain, lyricsStart, &dropped).first;
  const int32_t follow = record.position + record.removedCount;
  if (undo && record.kind == EditKind::kReplaceDroppingSyncpoint && follow < length_) {
    SetFlag(follow, true);
  }
}

bool LyricsDocument::Apply(bool undo) {
  EditRecord* record = undo ? history_.NextUndo() : history_.NextRedo();
  if (!record) return false;
  // Every change that is not recorded ends the history, so a step always
  // fits the text; a step that does not is dropped, never applied.
  if (!Fits(*record, undo)) {
    history_.Clear();
    return false;
  }
  Restore(*record, undo);
  if (undo) {
    history_.StepBack();
  } else {
    history_.StepForward();
  }
  return true;
}
