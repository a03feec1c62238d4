// The windows of the master evaluation's patterns and their weight tables; see
// master_patterns.h.
#include "master_patterns.h"

namespace quorvin {

namespace {
// The first row (or file) of each window along a side of n cells.
int WindowsAlong(int n) {
    return n < PatternSide ? 0 : (n - PatternSide) / 2 + 1;
}

std::vector<TMasterPatternTable> BuildTables() {
    std::vector<TMasterPatternTable> tables;
    for (const TMasterPatternSet& set : MasterPatternSets) {
        TMasterPatternTable& t = tables.emplace_back();
        t.Windows = WindowsAlong(set.Rows) * WindowsAlong(set.Files);
        t.Weights.assign(static_cast<std::size_t>(t.Windows) * PatternIndices, {0, 0});
        for (const TMasterPatternEntry& e : set.Entries)
            if (e.Window < t.Windows && e.Index < PatternIndices)
                t.Weights[static_cast<std::size_t>(e.Window) * PatternIndices + e.Index] = {
                    e.Opening, e.Endgame};
    }
    return tables;
}
} // namespace

const TMasterPatternTable* MasterPatternTableFor(TRules rules, int rows, int files, int coloring) {
    static const std::vector<TMasterPatternTable> tables = BuildTables();
    for (std::size_t k = 0; k < MasterPatternSets.size(); ++k) {
        const TMasterPatternSet& set = MasterPatternSets[k];
        if (set.Rules == rules && set.Rows == rows && set.Files == files &&
            set.Coloring == coloring)
            return &tables[k];
    }
    return nullptr;
}

void BuildPatternSlots(TPatternSlots& slots) {
    slots = TPatternSlots{};
    const int rowWindows = WindowsAlong(BoardRows), fileWindows = WindowsAlong(BoardFiles);
    if (rowWindows * fileWindows > MaxPatternWindows) return;
    slots.Windows = rowWindows * fileWindows;
    std::array<std::array<int, MaxSide>, MaxSide> squareAt{}; // [row][file], from 0
    for (int s = 1; s <= SquareCount; ++s)
        squareAt[static_cast<std::size_t>(SquareCell[s][1] - 1)]
                [static_cast<std::size_t>(SquareCell[s][0] - 1)] = s;
    for (int frame = 0; frame < 2; ++frame)
        for (int w = 0; w < slots.Windows; ++w) {
            const auto lane = static_cast<std::size_t>(frame * MaxPatternWindows + w);
            int power = 1;
            for (int r = 0; r < PatternSide; ++r)
                for (int f = 0; f < PatternSide; ++f) {
                    // The cell in the frame: White's is the board's, Black's is turned.
                    const int row = 2 * (w / fileWindows) + r, file = 2 * (w % fileWindows) + f;
                    const int s = frame == White
                                      ? squareAt[static_cast<std::size_t>(row)]
                                                [static_cast<std::size_t>(file)]
                                      : squareAt[static_cast<std::size_t>(BoardRows - 1 - row)]
                                                [static_cast<std::size_t>(BoardFiles - 1 - file)];
                    if (s == 0) continue;
                    const auto bit = static_cast<std::size_t>(BitOfSquare[s]);
                    // Digit 1 for a man of the frame's side, 2 for the other side's.
                    for (int side = 0; side < 2; ++side)
                        slots.Add[static_cast<std::size_t>(side)][bit][lane] =
                            static_cast<std::uint16_t>((side == frame ? 1 : 2) * power);
                    power *= 3;
                }
        }
}

} // namespace quorvin
