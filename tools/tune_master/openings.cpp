// Ballot openings: a few random legal plies from the initial position, kept when the master
// search (to depth 8) finds the position about level, and each position only once.
#include "tune.h"

#include "fen.h"
#include "master_search.h"
#include "mathematics.h"
#include "notation.h"

#include <cmath>
#include <set>

namespace quorvin::tune {

int OpeningsCommand(const cli::TArgs& args, std::ostream& out) {
    const cli::TBoardChoice board = cli::ReadBoardChoice(args);
    const TNotation notation = UseBoardOf(board);
    const int count = static_cast<int>(args.Integer("count", 50, 1, 100000));
    const auto [fewest, most] = ReadRange(args, "plies", 1, 40, {2, 3});
    const int margin = static_cast<int>(args.Integer("margin", 30, 0, 10000));
    SeedRandom(static_cast<std::uint64_t>(args.Integer("seed", 1, 0, LLONG_MAX)));

    TMasterSearch search(16);
    TSearchState state;
    std::set<std::string> seen;
    int written = 0;
    for (long long attempt = 0; written < count && attempt < 1000LL * count; ++attempt) {
        TGame game(board.Rules);
        const int plies = RandomBetween(fewest, most);
        bool playing = true;
        for (int k = 0; k < plies && playing; ++k) {
            TPosition& p = game.CurrentPosition();
            playing = p.ClassifyNode(false) == NodeHasMoves;
            if (playing) game.PlayMove(RandomBetween(1, p.Moves.Count));
        }
        if (!playing || game.CurrentPosition().ClassifyNode(false) != NodeHasMoves) continue;
        const std::string fen = FormatFen(notation, game.CurrentPosition());
        if (seen.count(fen)) continue;
        search.Clear();
        TMasterLimits limits;
        limits.Depth = 8;
        const TMasterResult r = search.Think(game, limits, state, {}, false);
        if (std::abs(r.Score) > margin) continue;
        seen.insert(fen);
        out << fen << "\n";
        ++written;
    }
    return written == count ? 0 : 1;
}

} // namespace quorvin::tune
