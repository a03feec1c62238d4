// tune_master: tunes the master search's evaluation on games it plays against itself.
//
//   tune_master openings BOARD [--count 50] [--plies 2-3] [--margin 30] [--seed S]
//       prints distinct ballot openings, one FEN a line: random legal plies from the initial
//       position whose master score (depth 8) stays within the margin (hundredths of a man)
//   tune_master games BOARD --out FILE [--games 1000] [--nodes 3000] [--plies 4-8] [--seed S]
//       plays the master against itself from random openings at a node limit a move and
//       writes every position after the opening with the game's result for White:
//       "1 FEN", "0.5 FEN" or "0 FEN"
//   tune_master fit BOARD --in FILE [--in2 FILE] [--epochs 3000] [--lambda 1e-10] [--free-k]
//                   [--write src/core/master_weights.cpp]
//       fits the weights of the board's rule family to the results of the quiet positions
//       (no capture for either side) by logistic regression, each weight pulled towards the
//       one in force by lambda, and prints them or writes the weights file with the family's
//       rows replaced
//   tune_master patterns BOARD --in FILE [--in2 FILE] [--epochs 20] [--rate 1] [--lambda 1e-10]
//                        [--write src/core/master_pattern_weights.cpp]
//       fits the weights of the formations of men in the board's windows (master_patterns.h)
//       to the results of the quiet positions, the terms' weights held, and prints the errors
//       or writes the pattern weights file with the family's set replaced
//
// BOARD is --preset P, or --rules N --rows R --files F [--coloring], as for quorvin-cli.
#include "tune.h"

#include <iostream>

using namespace quorvin;

namespace quorvin::tune {

TNotation UseBoardOf(const cli::TBoardChoice& board) {
    cli::UseBoard(board);
    return TNotation::ForBoard(board.Rules, board.Rows, board.Files, board.Coloring);
}

std::pair<int, int> ReadRange(const cli::TArgs& args, const std::string& name, int lo, int hi,
                              std::pair<int, int> fallback) {
    if (!args.Has(name)) return fallback;
    const std::string text = args.Text(name, "");
    const std::size_t dash = text.find('-');
    try {
        const int a = std::stoi(text.substr(0, dash));
        const int b = dash == std::string::npos ? a : std::stoi(text.substr(dash + 1));
        if (a < lo || b > hi || a > b) throw std::out_of_range(name);
        return {a, b};
    } catch (const std::logic_error&) {
        throw cli::TUsageError("--" + name + " is A-B with " + std::to_string(lo) +
                               " <= A <= B <= " + std::to_string(hi) + ", not \"" + text + "\"");
    }
}

} // namespace quorvin::tune

int main(int argc, char** argv) {
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty()) {
        std::cerr << "usage: tune_master openings|games|fit|patterns BOARD [options]\n";
        return 2;
    }
    const std::string command = all[0];
    const std::vector<std::string> rest(all.begin() + 1, all.end());
    try {
        if (command == "openings")
            return tune::OpeningsCommand(
                cli::TArgs(rest, cli::BoardFlags({}),
                           cli::BoardOptions({"count", "plies", "margin", "seed"})),
                std::cout);
        if (command == "games")
            return tune::GamesCommand(
                cli::TArgs(rest, cli::BoardFlags({}),
                           cli::BoardOptions({"games", "nodes", "plies", "seed", "out"})),
                std::cout);
        if (command == "fit")
            return tune::FitCommand(
                cli::TArgs(rest, cli::BoardFlags({"free-k"}),
                           cli::BoardOptions({"in", "in2", "epochs", "lambda", "write"})),
                std::cout);
        if (command == "patterns")
            return tune::PatternsCommand(
                cli::TArgs(rest, cli::BoardFlags({}),
                           cli::BoardOptions({"in", "in2", "epochs", "rate", "lambda", "write"})),
                std::cout);
        std::cerr << "tune_master: unknown command \"" << command << "\"\n";
        return 2;
    } catch (const cli::TUsageError& e) {
        std::cerr << "tune_master " << command << ": " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tune_master " << command << ": " << e.what() << "\n";
        return 1;
    }
}
