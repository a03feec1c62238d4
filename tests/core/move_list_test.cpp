// Packing of moves: strides, room beyond the inline array, copies, repacking and shuffling.
#include "mathematics.h"
#include "move_list.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quorvin;

namespace {
TMove Simple(int from, int to) {
    TMove m;
    m.Path[0] = static_cast<std::uint8_t>(from);
    m.Path[1] = static_cast<std::uint8_t>(to);
    return m;
}
TMove Capture(std::initializer_list<int> path, std::initializer_list<int> taken) {
    TMove m;
    int k = 0;
    for (int s : path) m.Path[k++] = static_cast<std::uint8_t>(s);
    k = 1;
    for (int s : taken) m.Captured[k++] = static_cast<std::uint8_t>(s);
    m.Captured[0] = static_cast<std::uint8_t>(taken.size());
    return m;
}
} // namespace

TEST(MoveList, KeepsEveryMoveBeyondItsInlineRoom) {
    // Far more moves than the array inside the list holds: every one is kept, in order,
    // whichever way it was added.
    TMoveList list;
    list.Reset(0, true);
    for (int i = 1; i <= 600; ++i) list.Add(Simple(i % 72 + 1, (i * 7) % 72 + 1));
    ASSERT_EQ(list.Count, 600);
    for (int i = 1; i <= 600; ++i) {
        const TMove m = list.GetMove(i);
        EXPECT_EQ(m.From, i % 72 + 1);
        EXPECT_EQ(m.To, (i * 7) % 72 + 1);
        EXPECT_EQ(m.CaptureCount, 0);
        EXPECT_EQ(m.LastIndex, 1);
    }
    TMoveList fast;
    fast.Reset(0, true);
    for (int i = 1; i <= 300; ++i) fast.AddSimple(static_cast<std::uint8_t>(i % 72 + 1), 2);
    ASSERT_EQ(fast.Count, 300);
    EXPECT_EQ(fast.FromOf(300), 300 % 72 + 1);
    // The branch-free form leaves out the moves not wanted, before and after the list grows.
    TMoveList chosen;
    chosen.Reset(0, true);
    for (int i = 1; i <= 1200; ++i)
        chosen.AddSimpleIf(static_cast<std::uint8_t>(i % 72 + 1), 9, i % 2 == 0);
    ASSERT_EQ(chosen.Count, 600);
    for (int i = 1; i <= 600; ++i) {
        EXPECT_EQ(chosen.FromOf(i), (2 * i) % 72 + 1) << i;
        EXPECT_EQ(chosen.ToOf(i), 9);
    }
}

TEST(MoveList, CapturesOfEveryStrideAreKept) {
    for (int L : {1, 2, 5, 32}) {
        TMoveList list;
        list.Reset(L, true);
        for (int i = 1; i <= 300; ++i) list.Add(Capture({i % 72 + 1, 10}, {i % 50 + 1}));
        ASSERT_EQ(list.Count, 300) << "stride " << L;
        for (int i = 1; i <= 300; ++i) {
            EXPECT_EQ(list.FromOf(i), i % 72 + 1) << "stride " << L;
            EXPECT_EQ(list.ToOf(i), 10);
            EXPECT_EQ(list.CaptureCountOf(i), 1);
            EXPECT_EQ(list.CapturedOf(i, 1), i % 50 + 1);
        }
    }
}

TEST(MoveList, CopiesHoldTheirOwnMoves) {
    TMoveList big;
    big.Reset(3, true);
    for (int i = 1; i <= 200; ++i) big.Add(Capture({i % 72 + 1, 20, 30, 40}, {15, 25, 35}));
    TMoveList copy(big);
    big.Reset(3, true);
    big.Add(Capture({5, 6, 7, 8}, {1, 2, 3}));
    ASSERT_EQ(copy.Count, 200);
    EXPECT_EQ(copy.CaptureLength(), 3);
    for (int i = 1; i <= 200; ++i) EXPECT_EQ(copy.GetMove(i).From, i % 72 + 1);

    // A short list over a grown one, a grown one over a short one, and a list onto itself.
    copy = big;
    ASSERT_EQ(copy.Count, 1);
    EXPECT_EQ(copy.GetMove(1).To, 8);
    TMoveList small;
    small.Reset(0, true);
    small.Add(Simple(1, 5));
    small = TMoveList(copy);
    for (int i = 1; i <= 199; ++i) big.Add(Capture({i % 72 + 1, 20, 30, 40}, {15, 25, 35}));
    small = big;
    ASSERT_EQ(small.Count, 200);
    EXPECT_EQ(small.GetMove(1).From, 5);
    EXPECT_EQ(small.GetMove(200).Captured[3], 35);
    const TMoveList& same = small;
    small = same;
    EXPECT_EQ(small.Count, 200);
    EXPECT_EQ(small.GetMove(200).From, 199 % 72 + 1);
}

TEST(MoveList, ShortCaptureInLongSlot) {
    TMoveList list;
    list.Reset(3, true);
    list.Add(Capture({9, 18}, {14}));
    const TMove m = list.GetMove(1);
    EXPECT_EQ(m.CaptureCount, 1);
    EXPECT_EQ(m.LastIndex, 1);
    EXPECT_EQ(m.From, 9);
    EXPECT_EQ(m.To, m.Path[1]);
    EXPECT_EQ(m.To, 18);
    EXPECT_EQ(list.FromOf(1), 9);
    EXPECT_EQ(list.ToOf(1), 18);
}

TEST(MoveList, RepackKeepsEveryMove) {
    TMoveList list;
    list.Reset(1, true);
    list.Add(Capture({9, 18}, {14}));
    list.Add(Capture({10, 17}, {13}));
    list.Reset(2, false);
    ASSERT_EQ(list.Count, 2);
    EXPECT_EQ(list.CaptureLength(), 2);
    EXPECT_EQ(list.GetMove(1).To, 18);
    EXPECT_EQ(list.GetMove(1).Captured[1], 14);
    EXPECT_EQ(list.GetMove(2).From, 10);
    EXPECT_EQ(list.GetMove(2).Captured[1], 13);
    list.Add(Capture({1, 10, 19}, {5, 14}));
    EXPECT_EQ(list.GetMove(3).To, 19);
    list.Reset(2, true);
    EXPECT_EQ(list.Count, 0);

    // Repacking past the inline room keeps every capture where it was.
    list.Reset(1, true);
    for (int i = 1; i <= 127; ++i) list.Add(Capture({i % 72 + 1, 2}, {3}));
    ASSERT_EQ(list.Count, 127);
    list.Reset(4, false);
    ASSERT_EQ(list.Count, 127);
    for (int i = 1; i <= 127; ++i) {
        EXPECT_EQ(list.GetMove(i).From, i % 72 + 1);
        EXPECT_EQ(list.GetMove(i).To, 2);
        EXPECT_EQ(list.GetMove(i).Captured[1], 3);
    }
    list.Add(Capture({1, 10, 19, 28, 37}, {5, 14, 23, 32}));
    ASSERT_EQ(list.Count, 128);
    EXPECT_EQ(list.GetMove(128).To, 37);
    EXPECT_EQ(list.GetMove(127).To, 2);
}

TEST(MoveList, ShuffleIsAPermutation) {
    TMoveList list;
    list.Reset(0, true);
    list.Shuffle();
    EXPECT_EQ(list.Count, 0);
    list.Add(Simple(3, 4));
    list.Shuffle();
    EXPECT_EQ(list.GetMove(1).From, 3);

    SeedRandom(7);
    list.Reset(0, true);
    for (int i = 1; i <= 40; ++i) list.Add(Simple(i, i + 1));
    list.Shuffle();
    std::vector<int> froms;
    bool moved = false;
    for (int i = 1; i <= 40; ++i) {
        const TMove m = list.GetMove(i);
        EXPECT_EQ(m.To, m.From + 1);
        froms.push_back(m.From);
        moved |= m.From != i;
    }
    EXPECT_TRUE(moved);
    std::sort(froms.begin(), froms.end());
    for (int i = 1; i <= 40; ++i) EXPECT_EQ(froms[i - 1], i);
}

TEST(Mathematics, HelpersAndSeededRandom) {
    TSummer sum;
    EXPECT_EQ(sum.Average(), 0.0);
    sum.Add(2);
    sum.Add(5);
    EXPECT_DOUBLE_EQ(sum.Average(), 3.5);
    EXPECT_EQ(Clamp(15, 4, 12), 12);
    EXPECT_EQ(Clamp(1, 4, 12), 4);
    EXPECT_TRUE(InRange(4, 4, 12));
    EXPECT_FALSE(InRange(13, 4, 12));

    SeedRandom(42);
    std::vector<int> a;
    for (int i = 0; i < 50; ++i) a.push_back(RandomBetween(1, 6));
    SeedRandom(42);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(RandomBetween(1, 6), a[i]);
    std::array<int, 7> seen{};
    for (int i = 0; i < 6000; ++i) ++seen[RandomBetween(1, 6)];
    EXPECT_EQ(seen[0], 0);
    for (int v = 1; v <= 6; ++v) EXPECT_GT(seen[v], 800);
    EXPECT_EQ(RandomBetween(5, 5), 5);
}
