// The root of a search: the iterations of the engine's game-tree search from one position,
// shared by the window's think driver and the Hub engine. Each caller keeps only its own
// part, through a TRootControl: the horizon of each iteration, the room its time and node
// limits leave, and what it makes of each finished iteration. The driver ends the search on
// a stop request and once a forced result is found.
//
// The root's moves are searched here one at a time, with the engine's search below each,
// exactly as the engine searches the moves of any node (the same shares of the budget, the
// same bounds, the root counted as a position): so a root move the caller declares a draw
// scores as one, the moves searched to the end before a stop request still count (a
// broken-off search keeps its best move), and each move's position keeps its replies for
// the line the search expects.
#pragma once

#include "position.h"
#include "search.h"

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorvin {

// A monotonic millisecond clock.
long long TickCount();

// How far one iteration looks.
struct TRootHorizon {
    bool FixedDepth = false;
    int Depth = 0;       // with FixedDepth: the plies from the root
    double Budget = 0.0; // otherwise: the root's leaf budget
};

struct TRootIteration {
    int Number = 0; // 1 for the first
    TRootHorizon Horizon;
    bool Complete = false; // false when a stop request broke it off
    // The best of the moves searched to the end (every move when Complete), as an index in
    // the root's Moves, 0 when there is none; its score, seen from the side to move; and its
    // expected reply, an index in the Moves of Child(Best), 0 when none is known.
    int Best = 0;
    double Score = LossScore;
    int Reply = 0;
    double MeanDepth = 0.0; // of the leaves, averaged as the engine's search averages them
    int MinLeafDepth = INT_MAX, MaxLeafDepth = 0;
    long long StartNodes = 0, Nodes = 0; // positions visited since the search started
    long long StartMs = 0, EndMs = 0;    // TickCount at its start and its end
};

// What a caller decides; the driver calls it on the searching thread.
class TRootControl {
  public:
    virtual ~TRootControl() = default;
    // Before each iteration, and while a waiting search waits: false ends the search.
    virtual bool Proceed() { return true; }
    // Sets the horizon of iteration `number` (1 for the first), or answers false when no
    // deeper iteration is to be searched.
    virtual bool Horizon(int number, TRootHorizon& horizon) = 0;
    // Each iteration as it ends, a broken-off one too. Answers whether the time and the
    // positions left leave room for another iteration.
    virtual bool IterationDone(const TRootIteration& iteration) = 0;
    // Whether a search with nothing left to search waits until Proceed or a stop request
    // ends it (an analysis runs until it is stopped) rather than ending at once.
    virtual bool Waits() { return false; }
};

struct TRootResult {
    // The move to play, an index in the root's Moves: the best of the last iteration that
    // searched any move to the end; when none did, the move whose position scores best as
    // it stands.
    int Move = 0;
    bool Searched = false; // whether Move was searched to the end
    int Iterations = 0;    // started, a broken-off one included
    long long Nodes = 0;
};

class TRootSearch {
  public:
    // The root's Moves must hold at least one move, in the order they are to be tried; the
    // root must outlive the search.
    TRootSearch(const TPosition& root, TSearchState& state);
    ~TRootSearch();
    TRootSearch(const TRootSearch&) = delete;
    TRootSearch& operator=(const TRootSearch&) = delete;

    // Move `index` of the root ends the game in a draw: it scores 0 and is not searched.
    void SetDraw(int index);
    // Each iteration tries the best move of the one before first, which gives the others a
    // bound at once; otherwise every iteration tries the moves in the root's order, so that
    // among equal moves that order chooses.
    void SetBestFirst(bool on) { BestFirst = on; }
    // The position after move `index` of the root, with the Moves of its last search.
    const TPosition& Child(int index) const;
    // Positions visited since the search started.
    long long Nodes() const { return NodeCount; }

    TRootResult Run(TRootControl& control);

    // The line a complete iteration expects: its best move, the reply, and from there the
    // best moves of searches of each following position with the share of the budget (or
    // the depth) the iteration gave it, at most `limit` moves, each named by `name`. The
    // positions it visits count in Nodes; a stop request cuts the line where it comes.
    using TMoveNamer = std::function<std::string(const TPosition&, int)>;
    std::vector<std::string> ExpectedLine(const TRootIteration& iteration, std::size_t limit,
                                          const TMoveNamer& name);

  private:
    struct TRootMove {
        int Index = 0; // in the root's Moves
        std::unique_ptr<TPosition> Child;
        bool Draw = false;
    };

    const TPosition& Root;
    TSearchState& State;
    std::vector<TRootMove> Moves; // in the order they are tried
    bool BestFirst = false;
    long long NodeCount = 0;

    TRootIteration Iterate(int number, const TRootHorizon& horizon);
    std::size_t SlotOf(int index) const; // where move `index` stands in Moves
    int StaticBest() const;
};

} // namespace quorvin
