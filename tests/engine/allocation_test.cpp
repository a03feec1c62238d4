// The search allocates nothing per node: once its pool of positions has grown to the depth it
// reaches, a whole search runs without a single heap allocation.
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
        ApplyBoard(preset->Rules, preset->Rows, preset->Files, preset->Coloring);
        auto root = CreatePosition(preset->Rules);
        root->SetInitial();
        root->BuildValueTable(true);
        root->Evaluate();
        root->ClassifyNode(false);
        double avg = 0, score = 0;
        long long warm = 0;
        root->Search(0, RootBound, 20000, avg, score, warm); // grows the pool
        const long long before = Allocations;
        long long nodes = 0;
        root->Search(0, RootBound, 20000, avg, score, nodes);
        EXPECT_EQ(Allocations - before, 0) << name;
        EXPECT_GT(nodes, 1000) << name;
    }
}
