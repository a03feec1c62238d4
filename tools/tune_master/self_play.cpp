// Self-play games for the fit: the master against itself at a node limit a move (varied a
// little from move to move, so that the games differ), from random openings, every position
// after the opening written with the game's result for White.
#include "tune.h"

#include "atomic_file.h"
#include "fen.h"
#include "master_search.h"
#include "mathematics.h"
#include "notation.h"
#include "referee.h"

#include <sstream>

namespace quorvin::tune {

namespace {
// A game that has not ended after this many plies is left out.
constexpr int PlyLimit = 600;
} // namespace

int GamesCommand(const cli::TArgs& args, std::ostream& out) {
    const cli::TBoardChoice board = cli::ReadBoardChoice(args);
    const TNotation notation = UseBoardOf(board);
    const int games = static_cast<int>(args.Integer("games", 1000, 1, 10000000));
    const long long nodes = args.Integer("nodes", 3000, 100, 1000000000);
    const auto [fewest, most] = ReadRange(args, "plies", 0, 60, {4, 8});
    if (!args.Has("out")) throw cli::TUsageError("name the output file with --out");
    SeedRandom(static_cast<std::uint64_t>(args.Integer("seed", 1, 0, LLONG_MAX)));

    TMasterSearch search(16);
    TSearchState state;
    std::ostringstream text;
    std::array<int, 3> results{}; // white wins, draws, black wins
    long long positions = 0;
    for (int g = 1; g <= games; ++g) {
        search.Clear();
        TGame game(board.Rules);
        const int opening = RandomBetween(fewest, most);
        std::vector<std::string> fens;
        TOutcome outcome;
        for (int ply = 0;; ++ply) {
            outcome = JudgeCurrentPosition(game);
            if (outcome.Kind != TOutcomeKind::Playing || ply >= PlyLimit) break;
            TPosition& p = game.CurrentPosition();
            int move = 0;
            if (ply < opening) {
                move = RandomBetween(1, p.Moves.Count);
            } else {
                fens.push_back(FormatFen(notation, p));
                TMasterLimits limits;
                limits.Nodes = nodes * RandomBetween(80, 120) / 100;
                move = search.Think(game, limits, state).Move;
            }
            game.PlayMove(move);
        }
        if (outcome.Kind == TOutcomeKind::Playing) continue;
        const char* result = "0.5";
        int slot = 1;
        if (outcome.Kind == TOutcomeKind::Lost) {
            result = outcome.Loser == Black ? "1" : "0";
            slot = outcome.Loser == Black ? 0 : 2;
        }
        ++results[static_cast<std::size_t>(slot)];
        for (const std::string& fen : fens) text << result << ' ' << fen << '\n';
        positions += static_cast<long long>(fens.size());
        if (g % 100 == 0)
            out << "games " << g << ": white " << results[0] << ", draws " << results[1]
                << ", black " << results[2] << "\n"
                << std::flush;
    }
    WriteFileAtomically(args.Text("out", ""), text.str());
    out << "positions " << positions << " from " << results[0] + results[1] + results[2]
        << " games: white " << results[0] << ", draws " << results[1] << ", black " << results[2]
        << "\n";
    return 0;
}

} // namespace quorvin::tune
