// The timing tools on the pair list, and undo and redo of their changes.
#include <gtest/gtest.h>

#include <random>

#include "filters/core/pair_history.h"
#include "filters/core/pair_tools.h"

namespace {

const PairBounds kBounds{60, 30000};

PairList Apply(PairList pairs, const PairEdit& edit) {
  ApplyPairEdit(pairs, edit, nullptr);
  return pairs;
}

TEST(PairTools, EachToolChangesWhatItsNameSays) {
  const PairList three = {{100, 200}, {300, 400}, {500, 600}};
  PairEdit edit;
  // Set while playing: a press inside the timed part re-times from there.
  ASSERT_TRUE(PlanLiveStamp(three, kBounds, 350, 450, &edit));
  EXPECT_EQ(Apply(three, edit), (PairList{{100, 200}, {350, 450}}));
  ASSERT_TRUE(PlanLiveStamp(three, kBounds, 400, 400, &edit));
  EXPECT_EQ(Apply(three, edit), (PairList{{100, 200}, {300, 400}, {400, 401}}));
  ASSERT_TRUE(PlanLiveStamp(three, kBounds, 29990, 40000, &edit));
  EXPECT_EQ(Apply(three, edit).back(), (TimestampPair{29990, 30000}));
  EXPECT_FALSE(PlanLiveStamp(three, PairBounds{3, 30000}, 700, 800, &edit));
  EXPECT_TRUE(PlanLiveStamp(three, PairBounds{3, 30000}, 450, 800, &edit));
  // Set while paused: a drag after the last pair, clipped to start there.
  ASSERT_TRUE(PlanDraggedStamp(three, kBounds, 900, 550, &edit));
  EXPECT_EQ(Apply(three, edit).back(), (TimestampPair{600, 900}));
  EXPECT_FALSE(PlanDraggedStamp(three, kBounds, 450, 580, &edit));
  // Remove, Combine and Split.
  ASSERT_TRUE(PlanRemove(three, 1, &edit));
  EXPECT_EQ(Apply(three, edit), (PairList{{100, 200}, {500, 600}}));
  EXPECT_FALSE(PlanCombine(three, 0, &edit));
  ASSERT_TRUE(PlanCombine(three, 2, &edit));
  EXPECT_EQ(Apply(three, edit), (PairList{{100, 200}, {300, 600}}));
  EXPECT_FALSE(PlanSplit(three, 1, 300, &edit));
  ASSERT_TRUE(PlanSplit(three, 1, 330, &edit));
  EXPECT_EQ(Apply(three, edit), (PairList{{100, 200}, {300, 330}, {330, 400}, {500, 600}}));
  // Adjust and Move are held between the neighbours, touching allowed.
  ASSERT_TRUE(PlanAdjust(three, kBounds, 1, PairEdge::kStart, 50, &edit));
  EXPECT_EQ(Apply(three, edit)[1], (TimestampPair{200, 400}));
  ASSERT_TRUE(PlanAdjust(three, kBounds, 1, PairEdge::kStart, 450, &edit));
  EXPECT_EQ(Apply(three, edit)[1], (TimestampPair{399, 400}));
  ASSERT_TRUE(PlanAdjust(three, kBounds, 2, PairEdge::kEnd, 99999, &edit));
  EXPECT_EQ(Apply(three, edit)[2], (TimestampPair{500, 30000}));
  ASSERT_TRUE(PlanMove(three, kBounds, 1, 250, &edit));
  EXPECT_EQ(Apply(three, edit)[1], (TimestampPair{400, 500}));
  ASSERT_TRUE(PlanMove(three, kBounds, 0, -500, &edit));
  EXPECT_EQ(Apply(three, edit)[0], (TimestampPair{0, 100}));
  // Move All keeps the first start at 0 or later and the last end in the song.
  ASSERT_TRUE(PlanMoveAll(three, kBounds, -1000, &edit));
  EXPECT_EQ(Apply(three, edit), (PairList{{0, 100}, {200, 300}, {400, 500}}));
  ASSERT_TRUE(PlanMoveAll(three, PairBounds{3, 700}, 1000, &edit));
  EXPECT_EQ(Apply(three, edit).back(), (TimestampPair{600, 700}));
  EXPECT_FALSE(PlanMoveAll(three, PairBounds{3, 600}, 5, &edit));
}

TEST(PairTools, CurrentPairIsTheOneHoldingTheTimeOrTheNextOne) {
  const PairList pairs = {{100, 200}, {200, 300}, {500, 600}};
  EXPECT_EQ(CurrentPairIndex(pairs, 0), 0);
  EXPECT_EQ(CurrentPairIndex(pairs, 200), 1);
  EXPECT_EQ(CurrentPairIndex(pairs, 350), 2);
  EXPECT_EQ(CurrentPairIndex(pairs, 600), -1);
  EXPECT_EQ(PairHolding(pairs, 350), -1);
  EXPECT_EQ(PairHolding(pairs, 599), 2);
}

// The earliest start among the pairs at the first index where two lists
// differ: the time a change between them concerns.
bool FirstDifference(const PairList& a, const PairList& b, int32_t* time) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return false;
  if (i == a.size()) *time = b[i].start;
  else if (i == b.size()) *time = a[i].start;
  else *time = std::min(a[i].start, b[i].start);
  return true;
}

// One random tool action on `pairs`, as the mouse could make it.
bool RandomAction(std::mt19937& rng, const PairList& pairs, PairEdit* edit) {
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  size_t i = pairs.empty() ? 0 : size_t(pick(0, int(pairs.size()) - 1));
  int32_t t = pick(-100, kBounds.songLength + 100);
  switch (pick(0, 8)) {
    case 0: return PlanLiveStamp(pairs, kBounds, t, t + pick(-20, 300), edit);
    case 1: {
      int32_t from = pairs.empty() ? 0 : pairs.back().end;
      return PlanDraggedStamp(pairs, kBounds, from + pick(-50, 400), from + pick(-50, 400), edit);
    }
    case 2: return PlanRemove(pairs, i, edit);
    case 3: return PlanCombine(pairs, i, edit);
    case 4:
      return !pairs.empty() && PlanSplit(pairs, i, pick(pairs[i].start, pairs[i].end), edit);
    case 5:
      return PlanAdjust(pairs, kBounds, i, pick(0, 1) ? PairEdge::kStart : PairEdge::kEnd,
                        pairs.empty() ? t : pairs[i].start + pick(-400, 400), edit);
    case 6: return PlanMove(pairs, kBounds, i, pick(-600, 600), edit);
    case 7: return PlanMoveAll(pairs, kBounds, pick(-3000, 3000), edit);
    default: return PlanLiveStamp(pairs, kBounds, pick(0, 2000), pick(0, 2000), edit);
  }
}

void ExpectWithinBounds(const PairList& pairs) {
  ASSERT_TRUE(PairsWellFormed(pairs));
  if (pairs.empty()) return;
  ASSERT_GE(pairs.front().start, 0);
  ASSERT_LE(pairs.back().end, kBounds.songLength);
}

TEST(PairHistory, RandomActionsUndoneAndRedoneGiveBackEveryList) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    PairHistory history(100000);
    PairList pairs;
    std::vector<PairList> lists = {pairs};  // lists[k]: after k undoable steps
    int changes = 0;
    for (int step = 0; step < 1500; ++step) {
      int roll = std::uniform_int_distribution<int>(0, 9)(rng);
      if (roll == 0 && history.UndoCount() > 0) {
        int32_t time = 0;
        ASSERT_TRUE(history.PeekUndo(&time));
        size_t k = history.UndoCount();
        int32_t expected = 0;
        ASSERT_TRUE(FirstDifference(lists[k - 1], lists[k], &expected));
        EXPECT_EQ(time, expected);
        ASSERT_TRUE(history.Undo(pairs, nullptr));
        ASSERT_EQ(pairs, lists[k - 1]);
      } else if (roll == 1 && history.RedoCount() > 0) {
        size_t k = history.UndoCount();
        int32_t time = 0, expected = 0;
        ASSERT_TRUE(history.PeekRedo(&time));
        ASSERT_TRUE(FirstDifference(lists[k], lists[k + 1], &expected));
        EXPECT_EQ(time, expected);
        size_t first = 0;
        ASSERT_TRUE(history.Redo(pairs, &first));
        ASSERT_EQ(pairs, lists[k + 1]);
      } else {
        PairEdit edit;
        if (!RandomAction(rng, pairs, &edit)) continue;
        PairList before = pairs;
        if (!history.Apply(pairs, edit)) {
          ASSERT_EQ(pairs, before);
          continue;
        }
        ASSERT_NE(pairs, before);
        ++changes;
        lists.resize(history.UndoCount());
        lists.push_back(pairs);
      }
      ExpectWithinBounds(pairs);
      ASSERT_EQ(history.UndoCount() + history.RedoCount() + 1, lists.size());
    }
    EXPECT_GT(changes, 600);
    while (history.Undo(pairs, nullptr)) ExpectWithinBounds(pairs);
    EXPECT_EQ(pairs, lists.front());
    EXPECT_FALSE(history.PeekUndo(nullptr));
    while (history.Redo(pairs, nullptr)) ExpectWithinBounds(pairs);
    EXPECT_EQ(pairs, lists.back());
  }
}

TEST(PairHistory, KeepsTheNewestStepsUpToItsLimit) {
  PairHistory history(100);
  PairList pairs;
  PairBounds bounds{1000, 0};
  for (int32_t i = 0; i < 130; ++i) {
    PairEdit edit;
    ASSERT_TRUE(PlanLiveStamp(pairs, bounds, i * 10, i * 10 + 5, &edit));
    ASSERT_TRUE(history.Apply(pairs, edit));
  }
  EXPECT_EQ(history.UndoCount(), 100u);
  while (history.Undo(pairs, nullptr)) {
  }
  EXPECT_EQ(pairs.size(), 30u);
  int32_t time = 0;
  ASSERT_TRUE(history.PeekRedo(&time));
  EXPECT_EQ(time, 300);
  // A change that changes nothing is no step.
  PairEdit same{0, 1, {pairs[0]}};
  EXPECT_FALSE(history.Apply(pairs, same));
  EXPECT_EQ(history.RedoCount(), 100u);
}

}  // namespace
