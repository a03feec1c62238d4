// `quorvin-cli board`: prints the numbered board, so a person can see the geometry.
#include "cli_args.h"
#include "commands.h"
#include "geometry.h"
#include "screen_geometry.h"

#include <iomanip>

namespace quorvin::cli {

int BoardCommand(const TArgList& list, std::ostream& out) {
    const TArgs args(list, BoardFlags({"top"}), BoardOptions({}));
    UseBoard(ReadBoardChoice(args));
    const int orientation = args.Has("top") ? 0 : 1;
    out << BoardRows << " rows x " << BoardFiles << " files, " << SquareCount << " squares"
        << (BoardColoringFlag == 0 ? ", Coloring checked" : "") << "\n";
    for (int line = 1; line <= BoardRows; ++line) {
        for (int column = 1; column <= BoardFiles; ++column) {
            const int s = SquareAt(column, line, orientation);
            if (s == 0)
                out << "  .";
            else
                out << std::setw(3) << s;
        }
        out << "\n";
    }
    return 0;
}

} // namespace quorvin::cli
