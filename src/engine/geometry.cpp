// Building the geometry tables; see geometry.h.
#include "geometry.h"

#include "mathematics.h"
#include "settings.h"
#include <algorithm>

namespace quorvin {

bool OnBoard(int file, int row) {
    return InRange(file, 1, BoardFiles) && InRange(row, 1, BoardRows);
}

int FirstFileOfRow(int row) {
    return (row % 2) == BoardColoringFlag ? 1 : 2;
}

void BuildGeometry() {
    const TSettings& s = Settings();
    BuildGeometry(s.Rows(), s.Files(), s.ColoringFlag());
}

void BuildGeometry(int rows, int files, int coloringFlag) {
    BoardRows = Clamp(rows, MinSide, MaxSide);
    BoardFiles = Clamp(files, MinSide, MaxSide);
    BoardColoringFlag = coloringFlag ? 1 : 0;

    std::array<std::array<int, MaxSide + 1>, MaxSide + 1> grid{}; // [file][row]
    SquareCount = 0;
    for (int row = 1; row <= BoardRows; ++row)
        for (int file = FirstFileOfRow(row); file <= BoardFiles; file += 2) {
            const int n = ++SquareCount;
            grid[file][row] = n;
            SquareCell[n] = {file, row};
            OnEdge[n] = file == 1 || file == BoardFiles || row == 1 || row == BoardRows;
            RowsAhead[n] = {BoardRows - row, row - 1};
            PromotionRow[n] = {row == BoardRows, row == 1};
            EdgeDistance[n] = std::min(BoardFiles - file, file - 1);
            OnLongDiagonal[n] =
                BoardRows == BoardFiles && (file == row || file + row == BoardFiles + 1);
            ScreenPos[n][0] = {BoardFiles + 1 - file, row};
            ScreenPos[n][1] = {file, BoardRows + 1 - row};
        }

    auto at = [&](int file, int row) {
        return OnBoard(file, row) ? static_cast<std::uint8_t>(grid[file][row]) : std::uint8_t{0};
    };
    Neighbour[0] = Jump[0] = {0, 0, 0, 0};
    Ray[0] = {};
    for (int n = 1; n <= SquareCount; ++n) {
        const auto [file, row] = SquareCell[n];
        for (int d = 0; d < 4; ++d) {
            Neighbour[n][d] = at(file + DirFile[d], row + DirRow[d]);
            Jump[n][d] = at(file + 2 * DirFile[d], row + 2 * DirRow[d]);
            Ray[n][d] = {0, 0};
            for (int k = 1; OnBoard(file + k * DirFile[d], row + k * DirRow[d]); ++k) {
                const int t = grid[file + k * DirFile[d]][row + k * DirRow[d]];
                Ray[n][d][t / 64] |= std::uint64_t{1} << (t % 64);
            }
        }
    }
}

int Orientation() {
    return Settings().Checked(TSetting::WhiteTop) ? 0 : 1;
}

int SquareAt(int column, int line) {
    return SquareAt(column, line, Orientation());
}

int SquareAt(int column, int line, int orientation) {
    for (int n = 1; n <= SquareCount; ++n)
        if (ScreenPos[n][orientation].Column == column && ScreenPos[n][orientation].Line == line)
            return n;
    return 0;
}

} // namespace quorvin
