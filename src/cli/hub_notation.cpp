// Hub positions and move names on a variant's board; see hub_notation.h.
#include "hub_notation.h"

#include "game.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace quorvin::cli {

namespace {
std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text);
    quoted += '\'';
    return quoted;
}

const char* SideName(int side) {
    return side == White ? "white" : "black";
}

// The sorted squares a capture takes.
std::vector<int> TakenSquares(const TMove& m) {
    std::vector<int> taken(m.Captured.begin() + 1, m.Captured.begin() + 1 + m.CaptureCount);
    std::sort(taken.begin(), taken.end());
    return taken;
}
} // namespace

std::optional<TPreset> FindHubVariant(std::string_view name) {
    for (const THubVariant& v : HubVariants)
        if (v.Name == name || v.Preset == name) return FindPreset(v.Preset);
    return std::nullopt;
}

THubBoard::THubBoard(const TPreset& preset)
    : Board(preset), Notation(TNotation::ForPreset(preset)) {
    for (int s = 1; s <= Notation.SquareCount(); ++s) {
        const int n = Notation.NumberOf(s);
        NumberOfSquare[s] = n;
        SquareOfNumber[n] = s;
    }
}

void THubBoard::UseGeometry() const {
    BuildGeometry(Board.Rows, Board.Files, Board.Coloring ? 0 : 1);
}

TFenPosition THubBoard::ParsePosition(std::string_view text) const {
    const int squares = SquareCount();
    if (static_cast<int>(text.size()) != squares + 1)
        throw THubError("the position has " + std::to_string(text.size()) +
                        " letters; this variant needs " + std::to_string(squares + 1) +
                        " (the side to move and one per square)");
    TFenPosition fen;
    if (text[0] == 'W')
        fen.SideToMove = White;
    else if (text[0] == 'B')
        fen.SideToMove = Black;
    else
        throw THubError("the position does not start with the side to move, W or B");
    fen.Cells.fill(EmptySquare);
    for (int n = 1; n <= squares; ++n) {
        TSquare q = EmptySquare;
        switch (text[static_cast<std::size_t>(n)]) {
        case 'w':
            q = WhiteMan;
            break;
        case 'b':
            q = BlackMan;
            break;
        case 'W':
            q = WhiteKing;
            break;
        case 'B':
            q = BlackKing;
            break;
        case 'e':
            break;
        default:
            throw THubError("square " + std::to_string(n) + " of the position holds " +
                            Quoted(text.substr(static_cast<std::size_t>(n), 1)) +
                            "; a square is w, b, W, B or e");
        }
        fen.Cells[SquareOfNumber[n]] = q;
    }
    return fen;
}

void THubBoard::CheckPlayable(const TPosition& position) const {
    const TRuleSwitches& rules = position.Switches();
    for (int s = 1; s <= SquareCount(); ++s) {
        const TSquare q = position.At(s);
        if (rules.Crowning && !q.Empty && q.Kind == Man && PromotionRow[s][q.Side])
            throw THubError(std::string("the ") + SideName(q.Side) + " man on square " +
                            std::to_string(NumberOfSquare[s]) +
                            " stands on the row where it is crowned");
    }
    const TGame start(Board.Rules);
    const TPosition& initial = start.Positions(0);
    auto pieces = [](const TPosition& p, int side) {
        return p.Counts[side][Man] + p.Counts[side][King];
    };
    if (rules.TakenChangeSides) {
        const int most = pieces(initial, White) + pieces(initial, Black);
        const int total = pieces(position, White) + pieces(position, Black);
        if (total > most)
            throw THubError("the position has " + std::to_string(total) +
                            " pieces; this variant has at most " + std::to_string(most));
        return;
    }
    for (const int side : {White, Black}) {
        const int most = pieces(initial, side);
        if (pieces(position, side) > most)
            throw THubError(std::string(SideName(side)) + " has " +
                            std::to_string(pieces(position, side)) +
                            " pieces; this variant gives a side at most " + std::to_string(most));
    }
}

std::string THubBoard::FormatPosition(const TPosition& position) const {
    std::string text(1, position.SideToMove == White ? 'W' : 'B');
    for (int n = 1; n <= SquareCount(); ++n) {
        const TSquare q = position.At(SquareOfNumber[n]);
        if (q.Empty)
            text += 'e';
        else if (q.Side == White)
            text += q.Kind == King ? 'W' : 'w';
        else
            text += q.Kind == King ? 'B' : 'b';
    }
    return text;
}

std::string THubBoard::MoveName(const TPosition& position, int index) const {
    const TMove m = position.Moves.GetMove(index);
    std::string name = std::to_string(NumberOfSquare[m.From]);
    name += m.CaptureCount == 0 ? '-' : 'x';
    name += std::to_string(NumberOfSquare[m.To]);
    for (int k = 1; k <= m.CaptureCount; ++k) {
        name += 'x';
        name += std::to_string(NumberOfSquare[m.Captured[k]]);
    }
    return name;
}

int THubBoard::FindMove(const TPosition& position, std::string_view text) const {
    // The squares named, whatever separates them.
    std::vector<int> squares;
    for (std::size_t i = 0; i <= text.size();) {
        const std::size_t end = std::min(text.find_first_of("-xX", i), text.size());
        int n = 0;
        const auto [stop, error] = std::from_chars(text.data() + i, text.data() + end, n);
        if (error != std::errc{} || stop != text.data() + end || n < 1 || n > SquareCount())
            throw THubError("unreadable move " + Quoted(text));
        squares.push_back(SquareOfNumber[n]);
        i = end + 1;
    }
    if (squares.size() < 2) throw THubError("unreadable move " + Quoted(text));

    const TMoveList& moves = position.Moves;
    const int from = squares[0], to = squares[1];
    std::vector<int> given(squares.begin() + 2, squares.end());
    std::sort(given.begin(), given.end());
    int found = 0;
    std::vector<int> foundTaken;
    for (int i = 1; i <= moves.Count; ++i) {
        const TMove m = moves.GetMove(i);
        if (m.From != from || m.To != to) continue;
        const std::vector<int> taken = TakenSquares(m);
        if (given.empty()) {
            // Start and end alone: a simple move, or a capture no other one shares them with.
            if (m.CaptureCount == 0) return i;
            if (found == 0) {
                found = i;
                foundTaken = taken;
            } else if (taken != foundTaken) {
                throw THubError("the move " + Quoted(text) +
                                " is ambiguous: name the pieces it takes");
            }
        } else if (taken == given) {
            return i;
        }
    }
    if (found != 0) return found;
    throw THubError("illegal move " + Quoted(text));
}

} // namespace quorvin::cli
