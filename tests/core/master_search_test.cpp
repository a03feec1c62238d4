// The master search and its evaluation: forced wins found at their true distance, the draw
// rules of the game record seen inside the tree, the transposition table leaving a fixed-depth
// result alone, one search for one node limit, time limits kept loosely, every family on boards
// of every shape, and an evaluation that sees both colours alike, reads the formations of men
// and knows the drawn endings.
#include "game.h"
#include "master_search.h"
#include "mathematics.h"
#include "rules.h"
#include "test_boards.h"

#include <gtest/gtest.h>

using namespace quorvin;
using namespace quorvin::test;

namespace {
TMasterLimits ToDepth(int depth) {
    TMasterLimits limits;
    limits.Depth = depth;
    return limits;
}

// Lists the moves of a position and searches it, the draw rules of `history` in force.
TMasterResult Think(TMasterSearch& search, TPosition& root, const TMasterLimits& limits,
                    const TMasterHistory& history = {}) {
    TSearchState state;
    root.ClearMoves();
    root.ClassifyNode(false);
    return search.Think(root, history, limits, state, {}, false);
}

// The index of the move from `from` to `to` in the position's Moves.
int MoveBetween(const TPosition& p, int from, int to) {
    for (int i = 1; i <= p.Moves.Count; ++i)
        if (p.Moves.FromOf(i) == from && p.Moves.ToOf(i) == to) return i;
    ADD_FAILURE() << "no move " << from << "-" << to;
    return 1;
}

// A game record from a board, with moves given as pairs of squares.
TGame GamePlayed(TRules rules, int rows, int files, const std::string& pieces, int side,
                 const std::vector<std::pair<int, int>>& moves) {
    auto p = SetupBoard(rules, rows, files, false, pieces, side);
    TGame game(rules);
    TPosition& first = game.CurrentPosition();
    first.CopyBoard(*p);
    first.SetSideToMove(side);
    first.Evaluate();
    first.ClearMoves();
    for (const auto& [from, to] : moves) {
        game.CurrentPosition().ClassifyNode(false);
        game.PlayMove(MoveBetween(game.CurrentPosition(), from, to));
    }
    game.CurrentPosition().ClassifyNode(false);
    return game;
}
} // namespace

// Positions whose shortest forced win a full-width search of the same depth finds: the master
// must find the win and its distance, and after its move the loser sees the same win one
// half-move nearer.
TEST(MasterSearch, FindsForcedWinsAtTheirDistance) {
    struct TCase {
        TRules Rules;
        int Rows, Files;
        const char* Pieces;
        int Plies;
    };
    const TCase cases[] = {
        {TRules::International, 10, 10, "w:6,8,12,13,22,25,30,34,44 b:21,23,24", 7},
        {TRules::Russian, 8, 8, "w:2,17,19,21 b:10,25,30", 7},
        {TRules::Straight, 8, 8, "w:2,18,23,27 b:25,29,32", 7},
        {TRules::Vorna, 8, 10, "w:8,9,14,15 b:7,20,25", 5},
    };
    for (const TCase& c : cases) {
        auto root = SetupBoard(c.Rules, c.Rows, c.Files, false, c.Pieces, White);
        TMasterSearch search(4);
        const TMasterResult r = Think(search, *root, ToDepth(11));
        EXPECT_EQ(r.Score, MasterWin - c.Plies) << c.Pieces;
        EXPECT_DOUBLE_EQ(MasterScoreAsMen(r.Score), 999.0 - c.Plies) << c.Pieces;
        ASSERT_GE(r.Move, 1);
        auto next = root->NewPosition();
        next->PlayMove(*root, r.Move);
        TMasterSearch fresh(4);
        EXPECT_EQ(Think(fresh, *next, ToDepth(11)).Score, -(MasterWin - c.Plies + 1)) << c.Pieces;
    }
}

// One king against three on 10 x 10. Black to move takes back its last move and brings back a
// position of the game: a draw, which the side behind takes. Without that history the same
// position is a little worse than a draw on the evaluation.
TEST(MasterSearch, SeesRepetitionInTheTree) {
    const std::vector<std::pair<int, int>> moves{{2, 7}, {48, 43}, {7, 2}, {43, 48}, {2, 7}};
    TGame game = GamePlayed(TRules::International, 10, 10, "W:2,4,10 B:48", White, moves);
    TSearchState state;
    TMasterSearch search(4);
    const TMasterResult repeated = search.Think(game, ToDepth(6), state, {}, false);
    EXPECT_EQ(repeated.Score, 0);
    const TPosition& root = game.CurrentPosition();
    EXPECT_EQ(root.Moves.FromOf(repeated.Move), 48);
    EXPECT_EQ(root.Moves.ToOf(repeated.Move), 43);

    TGame fresh = GamePlayed(TRules::International, 10, 10, "W:7,4,10 B:48", Black, {});
    TMasterSearch other(4);
    EXPECT_LT(other.Think(fresh, ToDepth(6), state, {}, false).Score, 0);

    // With the repetition rule off, the history holds no draw.
    TGameOptions options;
    options.TripleRepetitionDraw = false;
    game.SetOptions(options);
    TMasterSearch third(4);
    EXPECT_LT(third.Think(game, ToDepth(6), state, {}, false).Score, 0);
}

// A contempt weighs the pieces on the board at every evaluated position, and the score shown
// leaves out what the root's own pieces add: where no exchange is in reach, it changes nothing
// shown; a draw shows as what the side to move gives up by it, and is refused by a contempt
// greater than the side's trouble (one king against three, scaled towards a draw).
TEST(MasterSearch, ContemptShowsOnlyWhatALineChanges) {
    for (const int contempt : {0, MasterContempt, MasterMaxContempt}) {
        auto apart = SetupBoard(TRules::Russian, 8, 8, false, "w:21,22,27 b:5,6,10", White);
        TMasterSearch plain(4), keen(4);
        keen.SetContempt(contempt);
        EXPECT_EQ(Think(keen, *apart, ToDepth(3)).Score, Think(plain, *apart, ToDepth(3)).Score)
            << contempt;

        const std::vector<std::pair<int, int>> moves{{2, 7}, {48, 43}, {7, 2}, {43, 48}, {2, 7}};
        TGame game = GamePlayed(TRules::International, 10, 10, "W:2,4,10 B:48", White, moves);
        TSearchState state;
        const TMasterResult r = keen.Think(game, ToDepth(6), state, {}, false);
        const bool repeats = game.CurrentPosition().Moves.FromOf(r.Move) == 48 &&
                             game.CurrentPosition().Moves.ToOf(r.Move) == 43;
        const int drawn = -contempt * 4 / 40;
        EXPECT_EQ(repeats, contempt < MasterMaxContempt) << contempt;
        if (repeats)
            EXPECT_EQ(r.Score, drawn) << contempt;
        else
            EXPECT_GT(r.Score, drawn) << contempt;
    }
}

// The quiet-moves and three-kings rules end the game inside the tree when their count runs
// out there, and not before: three flying kings against one, which the evaluation scores a
// little above a draw.
TEST(MasterSearch, SeesTheDrawRulesOfTheRecordInTheTree) {
    struct TCase {
        int Side;
        bool QuietMoves;
        int Run;
        bool Drawn;
    };
    const TCase cases[] = {
        {Black, true, TGame::QuietMovesPlies - 2, true},
        {Black, true, 0, false},
        {White, false, TGame::ThreeKingsPlies - 2, true},
        {White, false, 0, false},
    };
    for (const TCase& c : cases) {
        auto root = SetupBoard(TRules::International, 10, 10, false, "W:1,4,7 B:48", c.Side);
        TMasterHistory history;
        (c.QuietMoves ? history.QuietRun : history.ThreeKingsRun) = c.Run;
        TMasterSearch search(4);
        const TMasterResult r = Think(search, *root, ToDepth(6), history);
        EXPECT_EQ(r.Score == 0, c.Drawn) << c.Side << " run " << c.Run << ": " << r.Score;
    }
}

// The table saves work but does not change what a plain search of a fixed depth finds.
TEST(MasterSearch, TheTableLeavesAFixedDepthResultAlone) {
    for (const char* name : {"international", "russian", "straight", "vorna", "italian"}) {
        const TPreset preset = *FindPreset(name);
        BuildGeometry(preset.Rows, preset.Files, preset.Coloring ? 0 : 1);
        auto root = CreatePosition(preset.Rules);
        root->SetInitial();
        TMasterSearch with(4), without(4);
        with.SetSelective(false);
        without.SetSelective(false);
        without.SetTableEnabled(false);
        const TMasterResult a = Think(with, *root, ToDepth(7));
        const TMasterResult b = Think(without, *root, ToDepth(7));
        EXPECT_EQ(a.Score, b.Score) << name;
        EXPECT_EQ(a.Move, b.Move) << name;
        EXPECT_LT(a.Nodes, b.Nodes) << name;
    }
}

TEST(MasterSearch, ANodeLimitGivesTheSameSearchEveryTime) {
    const TPreset preset = *FindPreset("international");
    BuildGeometry(preset.Rows, preset.Files, 1);
    auto root = CreatePosition(preset.Rules);
    root->SetInitial();
    TMasterLimits limits;
    limits.Nodes = 40000;
    TMasterSearch search(8);
    const TMasterResult a = Think(search, *root, limits);
    search.Clear();
    const TMasterResult b = Think(search, *root, limits);
    EXPECT_EQ(a.Nodes, b.Nodes);
    EXPECT_EQ(a.Move, b.Move);
    EXPECT_EQ(a.Score, b.Score);
    EXPECT_EQ(a.Pv, b.Pv);
    EXPECT_LE(a.Nodes, limits.Nodes);
    EXPECT_GE(a.Depth, 4);
}

// Loosely: well within ten times the time given, on the largest board.
TEST(MasterSearch, KeepsToItsTimeLoosely) {
    const TPreset preset = *FindPreset("canadian");
    BuildGeometry(preset.Rows, preset.Files, 1);
    auto root = CreatePosition(preset.Rules);
    root->SetInitial();
    TMasterLimits moveTime;
    moveTime.MoveTimeMs = 100;
    TMasterLimits clock;
    clock.ClockMs = 3000;
    clock.MovesToGo = 30;
    for (const TMasterLimits& limits : {moveTime, clock}) {
        TMasterSearch search(8);
        const TMasterResult r = Think(search, *root, limits);
        EXPECT_LT(r.Ms, 1000);
        EXPECT_TRUE(r.Searched);
        EXPECT_GE(r.Depth, 2);
    }
    // A stop request ends the search at once, with a move.
    TMasterSearch search(8);
    TSearchState state;
    state.RequestStop();
    root->ClassifyNode(false);
    const TMasterResult stopped = search.Think(*root, {}, TMasterLimits{}, state, {}, false);
    EXPECT_GE(stopped.Move, 1);
    EXPECT_LT(stopped.Ms, 1000);
}

// Short games of the master against itself on boards of many shapes, every family: each move
// is a legal one of the position, and a position without moves answers none.
TEST(MasterSearch, PlaysEveryFamilyOnEveryBoard) {
    const std::vector<std::array<int, 2>> boards{{4, 4}, {5, 7},  {6, 9},   {7, 4},
                                                 {8, 8}, {9, 12}, {11, 10}, {12, 12}};
    SeedRandom(5);
    TMasterSearch search(4);
    for (int rules = 0; rules < RulesCount; ++rules)
        for (const auto& [rows, files] : boards)
            for (const bool coloring : {false, true}) {
                BuildGeometry(rows, files, coloring ? 0 : 1);
                TGame game(static_cast<TRules>(rules));
                TSearchState state;
                TMasterLimits limits;
                limits.Nodes = 1500;
                for (int ply = 0; ply < 12; ++ply) {
                    TPosition& p = game.CurrentPosition();
                    const bool moves = p.ClassifyNode(false) == NodeHasMoves;
                    const TMasterResult r = search.Think(game, limits, state);
                    if (!moves) {
                        EXPECT_EQ(r.Move, 0);
                        break;
                    }
                    ASSERT_GE(r.Move, 1);
                    ASSERT_LE(r.Move, p.Moves.Count);
                    game.PlayMove(r.Move);
                }
            }
}

// A position and the same position turned round with the colours swapped score alike, in
// every family, on boards where turning maps playable squares onto playable squares.
TEST(MasterEval, BothColoursAreJudgedAlike) {
    SeedRandom(17);
    for (int rules = 0; rules < RulesCount; ++rules)
        for (const auto& [rows, files, coloring] :
             std::vector<std::array<int, 3>>{{8, 8, 1}, {8, 8, 0}, {10, 10, 1}, {7, 9, 1}}) {
            BuildGeometry(rows, files, coloring);
            auto p = CreatePosition(static_cast<TRules>(rules));
            TMasterBoard board;
            BuildMasterBoard(board, *p);
            for (int trial = 0; trial < 40; ++trial) {
                Scatter(*p, 15, 15, 4, 4);
                for (int s = 1; s <= SquareCount; ++s) {
                    const TSquare q = p->At(s);
                    if (!q.Empty && q.Kind == Man && PromotionRow[s][q.Side])
                        p->Put(s, EmptySquare);
                }
                p->SetSideToMove(trial % 2);
                p->Evaluate();
                auto turned = p->NewPosition();
                turned->SetSideToMove(1 - p->SideToMove);
                for (int s = 1; s <= SquareCount; ++s) {
                    TSquare q = p->At(s);
                    q.Side = static_cast<std::uint8_t>(1 - q.Side);
                    const auto [file, row] = SquareCell[s];
                    turned->Put(SquareOf(files + 1 - file, rows + 1 - row), q);
                }
                turned->Evaluate();
                EXPECT_EQ(MasterEvaluate(*p, board), MasterEvaluate(*turned, board))
                    << "rules " << rules << " " << rows << "x" << files;
            }
        }
}

// Russian draughts reads its men in 4 x 4 windows: each window's number, read back digit by
// digit, names what stands on its playable cells in the frame's order, White's frame being the
// board and Black's the board turned; a man of the frame's side is 1, the other side's 2, and
// kings and empty cells are 0.
TEST(MasterEval, ReadsTheMenOfEveryWindowInBothFrames) {
    SeedRandom(5);
    UseBoard(8, 8, false);
    auto p = CreatePosition(TRules::Russian);
    TMasterBoard board;
    BuildMasterBoard(board, *p);
    ASSERT_NE(board.Patterns, nullptr);
    ASSERT_EQ(board.PatternSlots.Windows, 9);
    for (int trial = 0; trial < 20; ++trial) {
        Scatter(*p, 10, 9, 2, 3);
        p->Evaluate();
        TMasterFeatures f;
        MasterFeatures(*p, board, f);
        for (int frame = 0; frame < 2; ++frame)
            for (int w = 0; w < 9; ++w) {
                int number = f.Pattern[static_cast<std::size_t>(frame * MaxPatternWindows + w)];
                int cells = 0;
                for (int r = 0; r < 4; ++r)
                    for (int c = 0; c < 4; ++c) {
                        int row = 2 * (w / 3) + r + 1, file = 2 * (w % 3) + c + 1;
                        if (frame == Black) row = 9 - row, file = 9 - file;
                        const int s = SquareOf(file, row);
                        if (s == 0) continue;
                        ++cells;
                        const TSquare q = p->At(s);
                        const int digit = q.Empty || q.Kind == King ? 0 : q.Side == frame ? 1 : 2;
                        EXPECT_EQ(number % 3, digit) << "window " << w << " square " << s;
                        number /= 3;
                    }
                EXPECT_EQ(cells, 8);
                EXPECT_EQ(number, 0);
            }
    }
}

// Endings the evaluation knows: two flying kings cannot catch one, three can unless it holds
// the long diagonal, four can; kings that step one square at a time win with three against one.
// Each score is compared with the ending it must beat by far.
TEST(MasterEval, KnowsTheDrawnKingEndings) {
    auto score = [](TRules rules, const char* pieces) {
        const int size = rules == TRules::International ? 10 : 8;
        auto p = SetupBoard(rules, size, size, false, pieces, White);
        TMasterBoard board;
        BuildMasterBoard(board, *p);
        return MasterEvaluate(*p, board);
    };
    constexpr TRules I = TRules::International, R = TRules::Russian;
    EXPECT_EQ(score(I, "W:1 B:48"), 0);
    EXPECT_EQ(score(I, "W:1,4 B:48"), 0);
    EXPECT_EQ(score(R, "W:1,4 B:30"), 0);
    const int held = score(I, "W:1,4,7 B:45"); // 45 is on the long diagonal
    EXPECT_GE(held, 0);
    EXPECT_LE(held, 60);
    EXPECT_GT(score(I, "W:1,4,7 B:48"), 3 * held + 30);
    EXPECT_GT(score(I, "W:1,4,7,9 B:45"), score(I, "W:1,4,7 B:48"));
    const int heldRussian = score(R, "W:2,4,7 B:28");
    EXPECT_LE(heldRussian, 60);
    EXPECT_GT(score(R, "W:2,4,7 B:30"), 3 * heldRussian + 30);
    EXPECT_GT(score(TRules::Straight, "W:1,4,7 B:30"), 100);
    // Equal kings are no draw by themselves, but a king more counts only a little.
    EXPECT_GT(score(I, "W:1,4,9 B:45,48"), 0);
    EXPECT_LT(score(I, "W:1,4,9 B:45,48"), score(I, "W:1,4,7 B:48"));
}

// Men without a king of their own against a flying king are no sure win. Once both sides have
// a king, a piece more is a draw on a thin board, and two pieces more win unless they are only
// three. Kings that step one square do not hold them.
TEST(MasterEval, ScalesMenAgainstAFlyingKingTowardsADraw) {
    struct TCase {
        TRules Rules;
        const char* Pieces;
        int Scale;
    };
    const TCase cases[] = {
        {TRules::Russian, "w:13,14,15 B:30", ScaleFull * 3 / 4},
        {TRules::Russian, "w:13 W:14 B:30", 0},
        {TRules::Russian, "w:13 W:14 b:25 B:30", 0},
        {TRules::Russian, "w:9,13 W:14 b:25 B:30", ScaleFull / 4},
        {TRules::Russian, "w:9,10,13 W:14 b:21,25 B:30", ScaleFull * 3 / 4},
        {TRules::Russian, "w:5,9,10,13 W:14 b:17,21,25 B:30", ScaleFull},
        {TRules::Russian, "w:13,14 W:15 B:30", ScaleFull / 4},
        {TRules::Russian, "w:9,10,13,14,15 b:25 B:30", ScaleFull * 3 / 4},
        {TRules::Russian, "w:9,10,13 W:14 b:25 B:30", ScaleFull},
        {TRules::Russian, "b:9,10,13 B:14 w:25 W:30", ScaleFull},
        {TRules::International, "w:31,32,33 B:5", ScaleFull * 3 / 4},
        {TRules::Straight, "w:13,14,15 B:30", ScaleFull},
    };
    for (const TCase& c : cases) {
        const int size = c.Rules == TRules::International ? 10 : 8;
        auto p = SetupBoard(c.Rules, size, size, false, c.Pieces, White);
        TMasterBoard board;
        BuildMasterBoard(board, *p);
        TMasterFeatures f;
        MasterFeatures(*p, board, f);
        EXPECT_EQ(f.Scale, c.Scale) << c.Pieces;
    }
}
