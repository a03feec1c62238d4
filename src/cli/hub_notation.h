// The board of a Hub variant in the protocol's own text: the variant names the engine offers,
// the "pos=" strings (the side to move, then one letter per square in the order of the
// variant's standard numbering) and Hub move names, which write a capture as its start, its
// end and every piece it takes ("28x19x23"), unlike PDN's path.
//
// The protocol gives the squares "in standard order" and the moves in "standard notation", in
// numbers. Squares are numbered as the notation of the variant's preset numbers them (English
// draughts and Pool checkers from Black's side, Italian draughts from White's far left corner);
// on Brazilian, Russian and Czech draughts, whose standard notation is algebraic, the numeric
// reading of the same board (square 1 in the far left corner seen from White, as in
// International draughts, b8 = 1 ... g1 = 32) is used, so that every Hub variant is written in
// numbers.
#pragma once

#include "fen.h"
#include "hub_protocol.h"
#include "notation.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvin::cli {

struct THubVariant {
    std::string_view Name;   // as the protocol names it
    std::string_view Preset; // the preset of rules.h it plays
};

// "normal" is International draughts, as in every Hub engine.
inline constexpr std::array<THubVariant, 10> HubVariants{{
    {"normal", "international"},
    {"brazilian", "brazilian"},
    {"canadian", "canadian"},
    {"spanish", "spanish"},
    {"english", "straight"},
    {"vorna", "vorna"},
    {"russian", "russian"},
    {"pool", "pool"},
    {"czech", "czech"},
    {"italian", "italian"},
}};

// The preset a variant name stands for; the preset names "international" and "straight" are
// taken too. Empty for any other name.
std::optional<TPreset> FindHubVariant(std::string_view name);

class THubBoard {
  public:
    explicit THubBoard(const TPreset& preset);

    const TPreset& Preset() const { return Board; }
    TRules Rules() const { return Board.Rules; }
    int SquareCount() const { return Notation.SquareCount(); }
    // Makes this board the current geometry, which the positions of the variant need.
    void UseGeometry() const;

    // Reads a "pos=" string; throws THubError saying what is wrong.
    TFenPosition ParsePosition(std::string_view text) const;
    // Throws THubError when a position set from a "pos=" string cannot arise in a game of
    // the variant: a man stands on the row where it would have been crowned, or a side has
    // more pieces than the initial position gives it (where taken pieces change sides, more
    // than the initial position holds in all).
    void CheckPlayable(const TPosition& position) const;
    std::string FormatPosition(const TPosition& position) const;

    // The Hub name of move `index` of position.Moves.
    std::string MoveName(const TPosition& position, int index) const;
    // The index in position.Moves (filled with the legal moves) of the move a Hub name
    // stands for. A capture may also be given by its start and end alone when no other capture
    // joins the same squares. Throws THubError when the text names no legal move.
    int FindMove(const TPosition& position, std::string_view text) const;

  private:
    TPreset Board;
    TNotation Notation;
    std::array<int, MaxSquares + 1> NumberOfSquare{};
    std::array<int, MaxSquares + 1> SquareOfNumber{};
};

} // namespace quorvin::cli
