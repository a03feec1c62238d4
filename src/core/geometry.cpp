// Building the geometry tables; see geometry.h.
#include "geometry.h"

#include "mathematics.h"
#include <algorithm>

namespace quorvin {

bool OnBoard(int file, int row) {
    return InRange(file, 1, BoardFiles) && InRange(row, 1, BoardRows);
}

int FirstFileOfRow(int row) {
    return (row % 2) == BoardColoringFlag ? 1 : 2;
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
        }

    auto at = [&](int file, int row) {
        return OnBoard(file, row) ? static_cast<std::uint8_t>(grid[file][row]) : std::uint8_t{0};
    };
    Neighbour[0] = Jump[0] = {0, 0, 0, 0};
    for (int n = 1; n <= SquareCount; ++n) {
        const auto [file, row] = SquareCell[n];
        for (int d = 0; d < 4; ++d) {
            Neighbour[n][d] = at(file + DirFile[d], row + DirRow[d]);
            Jump[n][d] = at(file + 2 * DirFile[d], row + 2 * DirRow[d]);
        }
    }
    BuildBitLayout();
}

void BuildBitLayout() {
    const int width = BoardFiles % 2 == 0 ? BoardFiles + 1 : BoardFiles + 2; // odd
    auto cellX = [&](int n) { return (SquareCell[n][1] - 1) * width + SquareCell[n][0] - 1; };
    const int parity = cellX(1) % 2;
    BitOfSquare.fill(0);
    SquareOfBit.fill(0);
    PlayableBits = {};
    PromotionBits = {};
    SquareBits.fill({});
    for (int n = 1; n <= SquareCount; ++n) {
        const int bit = (cellX(n) - parity) / 2 + 1;
        BitOfSquare[n] = static_cast<std::uint8_t>(bit);
        SquareOfBit[bit] = static_cast<std::uint8_t>(n);
        PlayableBits.Add(bit);
        SquareBits[n] = TSquareSet::Single(bit);
        for (int side = 0; side < 2; ++side)
            if (PromotionRow[n][side]) PromotionBits[side].Add(bit);
    }
    NarrowLayout = PlayableBits.Highest() < 64;
    for (int d = 0; d < 4; ++d) StepBits[d] = (DirRow[d] * width + DirFile[d]) / 2;
    for (auto& next : NextBit) next = {0, 0, 0, 0};
    for (auto& line : LineBits) line = {};
    for (int n = 1; n <= SquareCount; ++n) {
        const int bit = BitOfSquare[n];
        for (int d = 0; d < 4; ++d) {
            NextBit[bit][d] = BitOfSquare[Neighbour[n][d]];
            for (int t = Neighbour[n][d]; t != 0; t = Neighbour[t][d])
                LineBits[bit][d].Add(BitOfSquare[t]);
        }
    }
}

} // namespace quorvin
