// The master search: a strong engine beside the described one, for every rule family and
// board. Iterative deepening of a principal-variation alpha-beta search with aspiration
// windows, a transposition table, move ordering by the table's move, killers and history,
// captures followed to the end (and a ply more where the opponent threatens one), late-move
// reductions, an extension for forced moves, and the draw rules of the game record seen inside
// the tree. It uses the shared move generation: every node is a position of a per-ply pool
// made by PlayMove from its parent, so that a node allocates nothing.
//
// Time: a fixed time for the move, or a clock with moves to go and an increment; besides, a
// depth and a node limit. With a node limit (or a depth) and an empty table the search is
// deterministic. "Break calculation" and the window's event pump reach it through a
// TSearchState, as they reach the described search.
#pragma once

#include "game.h"
#include "king_endings.h"
#include "master_eval.h"
#include "master_hash.h"
#include "search.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace quorvin {

inline constexpr int MasterMaxDepth = 99;
// The contempt the master plays other engines with (see TMasterSearch::SetContempt), and the
// most it takes.
inline constexpr int MasterContempt = 80;
inline constexpr int MasterMaxContempt = 500;
inline constexpr int MasterMaxPly = 160;

// Scores are hundredths of a man; a won game is MasterWin less the plies to its end.
inline constexpr int MasterInfinity = 32000;
inline constexpr int MasterWin = 31000;
inline constexpr int MasterWinBound = MasterWin - 1000; // beyond it a score is a forced result
constexpr bool MasterIsForced(int score) {
    return score > MasterWinBound || score < -MasterWinBound;
}
// The score on the described search's scale: men, or 999 less the plies to a forced end.
double MasterScoreAsMen(int score);

struct TMasterLimits {
    int Depth = MasterMaxDepth; // the deepest iteration
    long long Nodes = 0;        // positions to visit at most; 0 for no limit
    long long MoveTimeMs = 0;   // time for this move; 0 for none
    long long ClockMs = -1;     // time left on the clock; below 0 for no clock
    long long IncrementMs = 0;  // added to the clock after each move
    int MovesToGo = 0;          // moves to play in ClockMs; 0 for the rest of the game
};

// One finished iteration, or the last one broken off.
struct TMasterIteration {
    int Depth = 0;
    int SelectiveDepth = 0; // the deepest ply reached
    int MinLeafDepth = 0;
    double MeanLeafDepth = 0.0;
    int Score = 0;       // for the side to move at the root
    long long Nodes = 0; // since the search started
    long long Ms = 0;    // since the search started
    bool Complete = true;
    std::vector<int> Pv; // move indices: in the root's Moves, then in each next position's
};

struct TMasterResult {
    int Move = 0;   // index in the root's Moves; 0 when the root has no move
    int Ponder = 0; // the expected reply, an index in the Moves of the position after Move
    int Score = 0;
    int Depth = 0;
    long long Nodes = 0;
    long long Ms = 0;
    bool Searched = false; // false for a single legal move answered at once
    std::vector<int> Pv;
};

// The draw rules a search sees, and the history of the game before the root.
struct TMasterHistory {
    bool Repetition = true;
    bool QuietMoves = true;
    bool ThreeKings = true;
    std::vector<std::uint64_t> Keys; // the positions before the root, oldest first
    int QuietRun = 0;                // quiet king moves that led to the root
    int ThreeKingsRun = 0;           // positions of three kings against one up to the root
};

// The history of a game record up to its current position.
TMasterHistory MasterHistoryOf(const TGame& game);

class TMasterSearch {
  public:
    explicit TMasterSearch(std::size_t hashMiB = TMasterTable::DefaultMiB);
    ~TMasterSearch();
    TMasterSearch(const TMasterSearch&) = delete;
    TMasterSearch& operator=(const TMasterSearch&) = delete;

    void SetHashSize(std::size_t mib) { Table.Resize(mib); }
    // Without the table every position is searched anew (for tests and comparisons).
    void SetTableEnabled(bool on) { UseTable = on; }
    // A plain search, for tests: no reductions or shallow cut-offs, and the table gives back
    // only what a search of the same depth found, so that it changes no result.
    void SetSelective(bool on) { Selective = on; }
    // Against an opponent that errs, a game with more pieces on the board holds more chances.
    // With a contempt, every position the evaluation judges is worth this many hundredths of
    // a man more to the side to move at the root, times the share of a full board's pieces
    // still on it: exchanges cost a little, and a draw by the rules or the tables gets
    // nothing. The scores reported leave out the root's own share. 0 (the default) judges
    // positions alone.
    void SetContempt(int hundredths) { Contempt = hundredths; }
    std::size_t HashSizeMiB() const { return Table.SizeMiB(); }
    // Forgets every position, killer and history count: a new game.
    void Clear();

    using TReport = std::function<void(const TMasterIteration&)>;

    // Searches the game's current position. The root's Moves are listed when empty and keep
    // their order otherwise; the result's Move indexes them. A single legal move is answered
    // at once when answerSingle holds.
    TMasterResult Think(const TGame& game, const TMasterLimits& limits, TSearchState& control,
                        const TReport& report = {}, bool answerSingle = true);
    // Searches a position without a game before it; the draw rules are those of `history`.
    TMasterResult Think(const TPosition& root, const TMasterHistory& history,
                        const TMasterLimits& limits, TSearchState& control,
                        const TReport& report = {}, bool answerSingle = true);

    // Positions visited by the last search.
    long long Nodes() const { return NodeCount; }

  private:
    struct TFrame;
    struct TRootMove {
        int Index = 0;
        int Score = -MasterInfinity;
        int PreviousScore = -MasterInfinity;
    };

    // Scores of positions evaluated lately, by their keys: the same leaves come back often.
    struct TEvalEntry {
        std::uint64_t Key = 0;
        int Score = 0;
    };
    static constexpr std::size_t EvalCacheSize = std::size_t{1} << 16;
    std::vector<TEvalEntry> EvalCache;

    TMasterTable Table;
    bool UseTable = true;
    bool Selective = true;
    int Contempt = 0;
    int RootPieces = 0;
    TMasterBoard Board;
    TKingEndings Endings;
    bool UseEndings = false;    // the tables fit the root's board and family
    std::vector<TFrame> Frames; // one per ply, the positions made once
    const std::type_info* FrameType = nullptr;
    std::vector<std::uint64_t> KeyStack; // the game's positions, then the search's path
    int HistoryLength = 0;
    TMasterHistory Rules;
    // Move ordering: [side][from][to] counts of the quiet moves that cut off.
    std::vector<int> HistoryTable;
    std::vector<TRootMove> RootMoves;
    TMoveList ThreatList; // a scratch list for the opponent's captures
    std::array<std::array<std::uint16_t, MasterMaxPly + 1>, MasterMaxPly + 1> PvTable{};
    std::array<int, MasterMaxPly + 1> PvLength{};

    TSearchState* Control = nullptr;
    TMasterLimits Limits;
    long long StartMs = 0;
    long long SoftMs = 0, HardMs = 0;
    long long NodeCount = 0;
    long long NextPoll = 0;
    long long NextPump = 0;
    bool Aborted = false;
    int RootDepth = 0;
    int SelDepth = 0;
    int MinLeaf = 0;
    long long LeafCount = 0, LeafPlies = 0;

    void Prepare(const TPosition& root);
    void SetTimes(const TPosition& root);
    bool Poll();
    void NoteLeaf(int ply);

    template <class W> TMasterResult Run(const TReport& report);
    template <class W> int SearchRoot(int depth, int alpha, int beta);
    template <class W> int Search(int ply, int depth, int alpha, int beta, bool pvNode);
    template <class W> int Quiesce(int ply, int alpha, int beta, int qply);
    template <class W> void MakeChild(int ply, int index);
    template <class W> bool OpponentThreatens(const TPosition& p);
    // Whether the side to move can take a piece next to one of its own: a quick test that
    // misses a flying king's captures from afar and does not ask which pieces men may take.
    template <class W> static bool CaptureNextTo(const TPosition& p);
    bool DrawnByRules(int ply) const;
    // The evaluation of a leaf, from the cache, with the contempt for the side to move.
    int Evaluate(int ply);
    int EndingScore(int ply);
    void OrderMoves(int ply, int ttMove);
    int PickMove(int ply, int from);
    void UpdatePv(int ply, int index);
    std::vector<int> CollectPv() const;
    int& HistoryOf(int side, int from, int to) {
        return HistoryTable[static_cast<std::size_t>(
            (side * (MaxSquares + 1) + from) * (MaxSquares + 1) + to)];
    }
};

} // namespace quorvin
