// DamExchange positions and moves on the 10 x 10 board; see dxp_board.h.
#include "dxp_board.h"

#include "hub_notation.h"
#include "hub_protocol.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace quorvin::cli {

namespace {
const TNotation& Numbers() {
    static const TNotation notation; // International draughts' numbering
    return notation;
}

const TPreset& InternationalPreset() {
    static const TPreset preset = *FindPreset("international");
    return preset;
}

char LetterOf(const TSquare& q) {
    if (q.Empty) return 'e';
    if (q.Side == White) return q.Kind == King ? 'W' : 'w';
    return q.Kind == King ? 'Z' : 'z';
}

std::vector<int> Sorted(std::vector<int> squares) {
    std::sort(squares.begin(), squares.end());
    return squares;
}

std::vector<int> TakenNumbers(const TMove& m) {
    std::vector<int> taken;
    for (int k = 1; k <= m.CaptureCount; ++k) taken.push_back(Numbers().NumberOf(m.Captured[k]));
    return taken;
}
} // namespace

void UseDxpBoard() {
    const TPreset& preset = InternationalPreset();
    BuildGeometry(preset.Rows, preset.Files, preset.Coloring ? 0 : 1);
}

TDxpColour DxpColourOf(int side) {
    return side == White ? TDxpColour::White : TDxpColour::Black;
}

int SideOfDxpColour(TDxpColour colour) {
    return colour == TDxpColour::White ? White : Black;
}

TDxpSetup DxpSetupOf(const TPosition& p) {
    TDxpSetup setup;
    setup.ToMove = DxpColourOf(p.SideToMove);
    for (int n = 1; n <= DxpSquares; ++n)
        setup.Board[static_cast<std::size_t>(n - 1)] = LetterOf(p.At(Numbers().SquareNumbered(n)));
    return setup;
}

TFenPosition FenOfDxpSetup(const TDxpSetup& setup) {
    TFenPosition fen;
    fen.SideToMove = SideOfDxpColour(setup.ToMove);
    fen.Cells.fill(EmptySquare);
    for (int n = 1; n <= DxpSquares; ++n) {
        TSquare q = EmptySquare;
        switch (setup.Board.at(static_cast<std::size_t>(n - 1))) {
        case 'w':
            q = WhiteMan;
            break;
        case 'z':
            q = BlackMan;
            break;
        case 'W':
            q = WhiteKing;
            break;
        case 'Z':
            q = BlackKing;
            break;
        default:
            break;
        }
        fen.Cells[Numbers().SquareNumbered(n)] = q;
    }
    return fen;
}

TGame DxpStartGame(const TDxpGameReq& request) {
    TGame game(TRules::International);
    if (!request.Setup) return game;
    TPosition& start = game.CurrentPosition();
    ApplyFen(FenOfDxpSetup(*request.Setup), start);
    try {
        THubBoard(InternationalPreset()).CheckPlayable(start);
    } catch (const THubError& e) {
        throw TDxpError('R', std::string("GAMEREQ: ") + e.what());
    }
    if (start.ClassifyNode(false) != NodeHasMoves)
        throw TDxpError('R', "GAMEREQ: the side to move has no move in the position");
    return game;
}

TDxpMove DxpMoveOf(const TPosition& p, int index, int seconds) {
    const TMove m = p.Moves.GetMove(index);
    TDxpMove move;
    move.Seconds = seconds;
    move.From = Numbers().NumberOf(m.From);
    move.To = Numbers().NumberOf(m.To);
    move.Captured = TakenNumbers(m);
    return move;
}

int FindDxpMove(const TPosition& p, const TDxpMove& move) {
    const std::vector<int> given = Sorted(move.Captured);
    const int from = Numbers().SquareNumbered(move.From);
    const int to = Numbers().SquareNumbered(move.To);
    int found = 0;
    std::vector<int> foundTaken;
    for (int i = 1; i <= p.Moves.Count; ++i) {
        const TMove m = p.Moves.GetMove(i);
        if (m.From != from || m.To != to) continue;
        const std::vector<int> taken = Sorted(TakenNumbers(m));
        if (taken == given) return i;
        // Start and end alone name a capture that no other one between them shares.
        if (given.empty()) {
            if (found == 0) {
                found = i;
                foundTaken = taken;
            } else if (taken != foundTaken) {
                throw TDxpError('M', "MOVE " + DxpMoveText(move) +
                                         " is ambiguous without the pieces it takes");
            }
        }
    }
    if (found != 0) return found;
    throw TDxpError('M', "MOVE " + DxpMoveText(move) + " is no legal move");
}

std::vector<TFenPosition> ReadDxpOpenings(const std::string& fileName) {
    std::ifstream file(fileName);
    if (!file) throw std::runtime_error("cannot read " + fileName);
    std::vector<TFenPosition> openings;
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
        try {
            openings.push_back(ParseFen(Numbers(), line));
        } catch (const TNotationError& e) {
            throw std::runtime_error(fileName + " line " + std::to_string(number) + ": " +
                                     e.what());
        }
    }
    if (openings.empty()) throw std::runtime_error(fileName + " holds no position");
    return openings;
}

} // namespace quorvin::cli
