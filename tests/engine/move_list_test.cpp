// Packing of moves: capacity, strides, repacking and shuffling.
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

TEST(MoveList, SimpleMovesFillTo254) {
    TMoveList list;
    list.Reset(0, true);
    for (int i = 1; i <= 255; ++i) list.Add(Simple(i % 72 + 1, (i * 7) % 72 + 1));
    EXPECT_EQ(list.Count, 254);
    for (int i = 1; i <= 254; ++i) {
        const TMove m = list.GetMove(i);
        EXPECT_EQ(m.From, i % 72 + 1);
        EXPECT_EQ(m.To, (i * 7) % 72 + 1);
        EXPECT_EQ(m.CaptureCount, 0);
        EXPECT_EQ(m.LastIndex, 1);
    }
    TMoveList fast;
    fast.Reset(0, true);
    for (int i = 1; i <= 300; ++i) fast.AddSimple(1, 2);
    EXPECT_EQ(fast.Count, 254);
    // The branch-free form keeps the same capacity and leaves out the moves not wanted.
    TMoveList chosen;
    chosen.Reset(0, true);
    for (int i = 1; i <= 600; ++i)
        chosen.AddSimpleIf(static_cast<std::uint8_t>(i % 72 + 1), 9, i % 2 == 0);
    EXPECT_EQ(chosen.Count, 254);
    for (int i = 1; i <= 254; ++i) {
        EXPECT_EQ(chosen.FromOf(i), (2 * i) % 72 + 1) << i;
        EXPECT_EQ(chosen.ToOf(i), 9);
    }
}

TEST(MoveList, CapacityFollowsTheStride) {
    for (int L : {1, 2, 5, 32}) {
        TMoveList list;
        list.Reset(L, true);
        for (int i = 0; i < 300; ++i) list.Add(Capture({1, 10}, {5}));
        int expected = 0;
        while (MoveSize(L) * (expected + 1) <= 509) ++expected;
        EXPECT_EQ(list.Count, expected) << "stride " << L;
    }
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

TEST(MoveList, RepackKeepsOrDropsMoves) {
    TMoveList list;
    list.Reset(1, true);
    list.Add(Capture({9, 18}, {14}));
    list.Add(Capture({10, 17}, {13}));
    list.Reset(2, false);
    ASSERT_EQ(list.Count, 2);
    EXPECT_EQ(list.CaptureLength, 2);
    EXPECT_EQ(list.GetMove(1).To, 18);
    EXPECT_EQ(list.GetMove(1).Captured[1], 14);
    EXPECT_EQ(list.GetMove(2).From, 10);
    EXPECT_EQ(list.GetMove(2).Captured[1], 13);
    list.Add(Capture({1, 10, 19}, {5, 14}));
    EXPECT_EQ(list.GetMove(3).To, 19);
    list.Reset(2, true);
    EXPECT_EQ(list.Count, 0);

    // 127 one-piece captures fill the list; at stride 4 only 50 fit and Count says so.
    list.Reset(1, true);
    for (int i = 1; i <= 127; ++i) list.Add(Capture({i % 72 + 1, 2}, {3}));
    ASSERT_EQ(list.Count, 127);
    list.Reset(4, false);
    EXPECT_EQ(list.Count, 50);
    for (int i = 1; i <= 50; ++i) {
        EXPECT_EQ(list.GetMove(i).From, i % 72 + 1);
        EXPECT_EQ(list.GetMove(i).To, 2);
    }
    list.Add(Capture({1, 10, 19, 28, 37}, {5, 14, 23, 32}));
    EXPECT_EQ(list.Count, 50); // full: the new move is dropped
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
