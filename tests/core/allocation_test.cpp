// The search allocates nothing per node: once its pool of positions has grown to the depth it
// reaches, a whole search runs without a single heap allocation. The master search allocates
// only a few times per iteration (its principal variation), never per node.
#include "master_search.h"
#include "move_list.h"
#include "rules.h"
#include "search.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long long> Allocations{0};
}

void* operator new(std::size_t size) {
    ++Allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace quorvin;

TEST(Allocation, SearchAllocatesNothingPerNode) {
    for (const char* name : {"international", "vorna", "straight", "canadian"}) {
        const auto preset = FindPreset(name);
        BuildGeometry(preset->Rows, preset->Files, preset->Coloring ? 0 : 1);
        auto root = CreatePosition(preset->Rules);
        root->SetInitial();
        root->BuildValueTable(true);
        root->Evaluate();
        root->ClassifyNode(false);
        double avg = 0, score = 0;
        long long warm = 0;
        TSearchState state;
        root->Search(state, 0, RootBound, 20000, avg, score, warm); // grows the pool
        const long long before = Allocations;
        long long nodes = 0;
        root->Search(state, 0, RootBound, 20000, avg, score, nodes);
        EXPECT_EQ(Allocations - before, 0) << name;
        EXPECT_GT(nodes, 1000) << name;
    }
}

TEST(Allocation, MasterSearchAllocatesNothingPerNode) {
    for (const char* name : {"international", "russian", "vorna", "canadian"}) {
        const auto preset = FindPreset(name);
        BuildGeometry(preset->Rows, preset->Files, preset->Coloring ? 0 : 1);
        auto root = CreatePosition(preset->Rules);
        root->SetInitial();
        root->ClassifyNode(false);
        TMasterSearch search(1);
        TSearchState state;
        TMasterLimits limits;
        limits.Depth = 5;
        search.Think(*root, {}, limits, state, {}, false); // makes the positions of every ply
        limits.Depth = 9;
        const long long before = Allocations;
        const TMasterResult r = search.Think(*root, {}, limits, state, {}, false);
        EXPECT_LT(Allocations - before, 5 * limits.Depth) << name;
        EXPECT_GT(r.Nodes, 10000) << name;
    }
}

TEST(Allocation, AGrownMoveListIsReusedWithoutAllocating) {
    // A search reuses one position per ply: a list that once outgrew its inline array must
    // keep its buffer when emptied, or every such node would allocate again.
    TMove shorter, longer;
    shorter.Path = {1, 10};
    shorter.Captured = {1, 5};
    longer.Path = {1, 10, 19, 28, 37};
    longer.Captured = {4, 5, 14, 23, 32};
    auto fill = [&](TMoveList& list) {
        list.Reset(1, true);
        for (int i = 0; i < 100; ++i) list.Add(shorter);
        list.Reset(4, false); // repacked for a longer capture found later
        for (int i = 0; i < 100; ++i) list.Add(longer);
    };
    TMoveList list;
    fill(list);
    const long long before = Allocations;
    for (int round = 0; round < 3; ++round) fill(list);
    EXPECT_EQ(Allocations - before, 0);
    EXPECT_EQ(list.Count, 200);
}
