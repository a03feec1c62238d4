// `quorvin-cli perft`: leaf counts of the move tree, depth by depth, from the initial position
// of a board, from a FEN or from a position file; with --unique each distinct move counted once.
#include "cli_args.h"
#include "commands.h"
#include "perft.h"
#include "start_position.h"
#include "unique_perft.h"

#include <chrono>

namespace quorvin::cli {

int PerftCommand(const TArgList& list, std::ostream& out) {
    const TArgs args(list, BoardFlags({"bulk", "unique"}), StartOptions({"depth"}), 1);
    const int depth = static_cast<int>(args.Integer("depth", 5, 1, 30));
    const bool bulk = args.Has("bulk");
    const bool unique = args.Has("unique");
    const TStartPosition start = ReadStartPosition(args);
    const TPosition& root = *start.Position;

    const auto begin = std::chrono::steady_clock::now();
    std::uint64_t leaves = 0;
    for (int d = 1; d <= depth; ++d) {
        leaves = unique ? UniquePerft(root, d, bulk) : Perft(root, d, bulk);
        out << "perft " << d << " " << leaves << "\n" << std::flush;
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - begin)
                        .count();
    out << "nodes " << leaves << " time_ms " << ms << " nps "
        << (ms > 0 ? leaves * 1000 / static_cast<std::uint64_t>(ms) : leaves) << "\n";
    return 0;
}

} // namespace quorvin::cli
