// Fuzz target for the position-file reader: any bytes are either rejected with a
// TPositionFileError or read into a position that writes back to text reading the same, and
// that loads into a game whose legal moves can be generated.
#include "game_settings.h"
#include "position_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace quorvin;

namespace {

bool SameFile(const TPositionFile& a, const TPositionFile& b) {
    if (a.RulesIndex != b.RulesIndex || a.Rules != b.Rules || a.Rows != b.Rows ||
        a.Files != b.Files || a.Coloring != b.Coloring || a.SquareCount != b.SquareCount ||
        a.SideToMove != b.SideToMove)
        return false;
    for (int cell = 0; cell <= a.SquareCount; ++cell) {
        const TSquare x = a.Cells[cell];
        const TSquare y = b.Cells[cell];
        if (x.Empty != y.Empty || x.Side != y.Side || x.Kind != y.Kind) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TPositionFile file;
    try {
        file = ParsePositionFile(text);
    } catch (const TPositionFileError&) {
        return 0;
    }
    if (!SameFile(file, ParsePositionFile(FormatPositionFile(file)))) std::abort();

    // What a load does next: the board is built and the side to move's moves generated.
    TGame game = ApplyPositionFile(file);
    TPosition& position = game.CurrentPosition();
    position.BuildValueTable(true);
    position.Evaluate();
    if (!position.Consistent(1e-6)) std::abort();
    if (position.ClassifyNode(false) == NodeHasMoves) {
        game.PlayMove(1);
        game.CurrentPosition().ClassifyNode(false);
    }
    return 0;
}
