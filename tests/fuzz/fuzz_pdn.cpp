// Fuzz target for the PDN and FEN readers: any bytes split into games without a crash, every
// game either fails with a line or loads, a loaded game writes back to a text that loads to the
// same positions, and a FEN that reads writes back to one that reads the same.
#include "fen.h"
#include "fuzz_check.h"
#include "geometry.h"
#include "pdn.h"
#include "rules.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace quorvin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<TPdnGameText> games = ParsePdn(text);
    // A few games are enough to reach every path; more only slow the run down.
    for (std::size_t g = 0; g < games.size() && g < 4; ++g) {
        const TLoadedGame loaded = LoadPdnGame(games[g]);
        Check(!loaded.Error || loaded.Error->Line > 0);
        if (!loaded.Game) continue;
        const TGame& game = *loaded.Game;
        Check(game.Count() == loaded.Plies + 1);
        const std::string again = FormatPdnGame(game, loaded.Notation, TPdnHeader{}, true);
        const std::vector<TPdnGameText> back = ParsePdn(again);
        Check(back.size() == 1);
        const TLoadedGame reloaded = LoadPdnGame(back.front());
        Check(!reloaded.Error && reloaded.Game && reloaded.Game->Count() == game.Count());
        for (int i = 0; i < game.Count(); ++i)
            Check(reloaded.Game->Positions(i).SameAs(game.Positions(i)) &&
                  reloaded.Game->Positions(i).SideToMove == game.Positions(i).SideToMove);
    }

    // The International board, as a game without a GameType tag has it.
    const TNotation notation;
    BuildGeometry(notation.Rows(), notation.Files(), notation.Coloring() ? 0 : 1);
    try {
        const TFenPosition fen = ParseFen(notation, text);
        auto position = CreatePosition(TRules::International);
        ApplyFen(fen, *position);
        const TFenPosition again = ParseFen(notation, FormatFen(notation, *position));
        Check(again.SideToMove == fen.SideToMove);
        for (int s = 1; s <= notation.SquareCount(); ++s)
            Check(again.Cells[s].Empty == fen.Cells[s].Empty &&
                  (fen.Cells[s].Empty || (again.Cells[s].Side == fen.Cells[s].Side &&
                                          again.Cells[s].Kind == fen.Cells[s].Kind)));
    } catch (const TNotationError&) {
    }
    return 0;
}
