// `quorvin-cli perft`: leaf counts of the move tree from the initial position, depth by depth.
#include "cli_args.h"
#include "commands.h"
#include "perft.h"
#include "rules.h"

#include <chrono>

namespace quorvin::cli {

int PerftCommand(const TArgList& list, std::ostream& out) {
    const TArgs args(list, BoardFlags({"bulk"}), BoardOptions({"depth"}));
    const TBoardChoice board = ReadBoardChoice(args);
    const int depth = static_cast<int>(args.Integer("depth", 5, 1, 30));
    const bool bulk = args.Has("bulk");
    UseBoard(board);
    auto root = CreatePosition(board.Rules);
    root->SetInitial();

    const auto start = std::chrono::steady_clock::now();
    std::uint64_t leaves = 0;
    for (int d = 1; d <= depth; ++d) {
        leaves = Perft(*root, d, bulk);
        out << "perft " << d << " " << leaves << "\n" << std::flush;
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    out << "nodes " << leaves << " time_ms " << ms << " nps "
        << (ms > 0 ? leaves * 1000 / static_cast<std::uint64_t>(ms) : leaves) << "\n";
    return 0;
}

} // namespace quorvin::cli
