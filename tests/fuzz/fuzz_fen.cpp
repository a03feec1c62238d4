// Fuzz target for the FEN reader on every preset's board and on a board of the program's own
// numbering picked by the input: any text is either refused with a TNotationError or read
// into a position that writes back square by square, without ranges, to a FEN that reads the
// same; the preset a pasted FEN is matched with reads it.
#include "fen.h"
#include "fuzz_check.h"
#include "geometry.h"
#include "rules.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace quorvin;

namespace {

void Use(const TNotation& notation) {
    BuildGeometry(notation.Rows(), notation.Files(), notation.Coloring() ? 0 : 1);
}

void ReadBack(const TNotation& notation, std::string_view text) {
    TFenPosition fen;
    try {
        fen = ParseFen(notation, text);
    } catch (const TNotationError&) {
        return;
    }
    Use(notation);
    auto position = CreatePosition(notation.Rules());
    ApplyFen(fen, *position);
    const std::string written = FormatFen(notation, *position);
    Check(written.find('-') == std::string::npos);
    const TFenPosition again = ParseFen(notation, written);
    Check(again.SideToMove == fen.SideToMove);
    for (int s = 0; s <= MaxSquares; ++s)
        Check(again.Cells[s].Empty == fen.Cells[s].Empty &&
              (fen.Cells[s].Empty || (again.Cells[s].Side == fen.Cells[s].Side &&
                                      again.Cells[s].Kind == fen.Cells[s].Kind)));
    for (int s = notation.SquareCount() + 1; s <= MaxSquares; ++s) Check(fen.Cells[s].Empty);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const TPreset& preset : Presets) ReadBack(TNotation::ForPreset(preset), text);

    // A board of the program's own numbering, chosen by the input's bytes.
    unsigned hash = 0;
    for (const std::uint8_t byte : text) hash = hash * 31 + byte;
    const auto rules = static_cast<TRules>(hash % 4);
    const int span = MaxSide - MinSide + 1;
    const int rows = MinSide + static_cast<int>(hash / 4 % span);
    const int files = MinSide + static_cast<int>(hash / 4 / span % span);
    const bool coloring = hash / 4 / span / span % 2 == 1;
    ReadBack(TNotation::ForBoard(rules, rows, files, coloring), text);

    // What pasting does: the board the FEN fits, then the FEN read on it.
    try {
        const TNotation fits = NotationForFen(TNotation(), text);
        ParseFen(fits, text);
    } catch (const TNotationError&) {
    }
    return 0;
}
