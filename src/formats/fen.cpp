// Writing and reading FEN positions; see fen.h.
#include "fen.h"

#include "setup_rules.h"
#include "text_fields.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <optional>
#include <vector>

namespace quorvin {

namespace {

std::optional<int> SideLetter(std::string_view text) {
    if (text == "W" || text == "w") return White;
    if (text == "B" || text == "b") return Black;
    return {};
}

// One side's pieces, square by square: "K10,K15,18,24,25,26,27".
std::string PieceList(const TNotation& notation, const TPosition& position, int side) {
    struct TPiece {
        int Number; // the order pieces are written in
        int Square;
        bool King;
    };
    std::vector<TPiece> pieces;
    for (int s = 1; s <= notation.SquareCount(); ++s) {
        const TSquare q = position.At(s);
        if (q.Empty || q.Side != side) continue;
        // Numeric boards list squares by number, algebraic ones row by row.
        const int order = notation.GameType().Algebraic ? s : notation.NumberOf(s);
        pieces.push_back({order, s, q.Kind == King});
    }
    std::sort(pieces.begin(), pieces.end(),
              [](const TPiece& a, const TPiece& b) { return a.Number < b.Number; });
    std::string text;
    for (const TPiece& piece : pieces) {
        if (!text.empty()) text += ',';
        if (piece.King) text += 'K';
        text += notation.SquareName(piece.Square);
    }
    return text;
}

// A field after the pieces that some programs add: ":H0" (moves since the last capture or
// man's move) and ":F1" (the number of the next move). A position has no use for them.
bool IsCounterField(std::string_view part) {
    return !part.empty() && std::strchr("HhFf", part.front()) != nullptr;
}

} // namespace

std::string FormatFen(const TNotation& notation, const TPosition& position) {
    return std::string(position.SideToMove == White ? "W" : "B") + ":W" +
           PieceList(notation, position, White) + ":B" + PieceList(notation, position, Black);
}

TFenPosition ParseFen(const TNotation& notation, std::string_view text) {
    const std::string shown = Quoted(Trimmed(text));
    auto fail = [&](const std::string& why) { throw TNotationError("FEN " + shown + ": " + why); };
    text = Trimmed(text);
    if (!text.empty() && text.back() == '.') text.remove_suffix(1);

    std::vector<std::string_view> parts;
    for (std::string_view rest = text;;) {
        const auto colon = rest.find(':');
        parts.push_back(Trimmed(rest.substr(0, colon)));
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    TFenPosition fen;
    const auto turn = SideLetter(parts[0]);
    if (!turn) fail("it does not start with the side to move, W or B");
    fen.SideToMove = *turn;
    for (int s = 0; s <= MaxSquares; ++s) fen.Cells[s] = EmptySquare;

    std::array<bool, 2> seen{};
    for (std::size_t k = 1; k < parts.size(); ++k) {
        const std::string_view part = parts[k];
        if (IsCounterField(part)) continue;
        const auto side = part.empty() ? std::nullopt : SideLetter(part.substr(0, 1));
        if (!side) fail("the part " + Quoted(part) + " does not start with W or B");
        if (seen[*side])
            fail(std::string("the ") + (*side == White ? "white" : "black") +
                 " pieces are given twice");
        seen[*side] = true;
        std::string_view list = Trimmed(part.substr(1));
        if (list.empty()) continue;
        for (;;) {
            const auto comma = list.find(',');
            std::string_view item = Trimmed(list.substr(0, comma));
            const bool king = !item.empty() && item.front() == 'K';
            if (king) item = Trimmed(item.substr(1));
            const auto dash = item.find('-');
            std::vector<int> squares;
            if (dash == std::string_view::npos) {
                const int s = notation.SquareNamed(item);
                if (s == 0) fail("no square " + Quoted(item) + " on this board");
                squares.push_back(s);
            } else {
                const auto first = ParseNumber(Trimmed(item.substr(0, dash)));
                const auto last = ParseNumber(Trimmed(item.substr(dash + 1)));
                if (!first || !last) fail(Quoted(item) + " is not a range of squares");
                if (*first > *last) fail("the range " + Quoted(item) + " runs backwards");
                for (int n = *first; n <= *last; ++n) {
                    const int s = notation.SquareNumbered(n);
                    if (s == 0) fail("no square " + std::to_string(n) + " on this board");
                    squares.push_back(s);
                }
            }
            for (const int s : squares) {
                if (!fen.Cells[s].Empty)
                    fail("square " + notation.SquareName(s) + " is given twice");
                fen.Cells[s] =
                    *side == White ? (king ? WhiteKing : WhiteMan) : (king ? BlackKing : BlackMan);
            }
            if (comma == std::string_view::npos) break;
            list.remove_prefix(comma + 1);
        }
    }
    return fen;
}

void ApplyFen(const TFenPosition& fen, TPosition& position) {
    for (int s = 1; s <= SquareCount; ++s) position.Put(s, fen.Cells[s]);
    position.SetSideToMove(fen.SideToMove);
    FinishEditedPosition(position);
}

TNotation NotationForFen(const TNotation& current, std::string_view text) {
    try {
        ParseFen(current, text);
        return current;
    } catch (const TNotationError& first) {
        for (const TPreset& preset : Presets) {
            const TNotation notation = TNotation::ForPreset(preset);
            try {
                ParseFen(notation, text);
                return notation;
            } catch (const TNotationError&) {
            }
        }
        throw;
    }
}

} // namespace quorvin
