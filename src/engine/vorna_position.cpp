// Vorna move and capture generation, side changes of taken pieces and evaluation terms.
#include "vorna_position.h"

#include <cmath>

namespace quorvin {

std::unique_ptr<TPosition> TVornaPosition::NewPosition() const {
    return std::make_unique<TVornaPosition>();
}

std::unique_ptr<TPosition> TVornaPosition::Clone() const {
    return std::make_unique<TVornaPosition>(*this);
}

bool TVornaPosition::GenerateMoves(bool OnlyTest) {
    Moves.Reset(0, true);
    const int first = ForwardFirst[SideToMove], last = ForwardLast[SideToMove];
    const TSquareSet pieces = OwnPieces();
    if (OnlyTest) {
        // Any move will do: the front pieces, tried first, are the likeliest to have one.
        return pieces.Any(SideToMove == White, [&](int s) {
            return Board[Neighbour[s][first]].Empty || Board[Neighbour[s][last]].Empty;
        });
    }
    for (int w = 0; w < 2; ++w)
        for (std::uint64_t bits = pieces.Word[w]; bits != 0; bits &= bits - 1) {
            const int s = w * 64 + std::countr_zero(bits);
            for (int d = first; d <= last; ++d) {
                const int t = Neighbour[s][d];
                Moves.AddSimpleIf(static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(t),
                                  Board[t].Empty != 0);
            }
        }
    return Moves.Count > 0;
}

// Every step goes forwards, so a sequence can never come back to a square it passed or a
// piece it took: the search only copies the piece forwards and empties the copy on the way
// back, leaving the start square and the taken pieces as they are.
bool TVornaPosition::GenerateCaptures() {
    constexpr int MaxAlternatives = 2;
    constexpr int MaxLevels = MaxCaptureLength + 1;
    std::array<int, MaxLevels + 2> alternatives;
    std::array<std::array<std::uint8_t, MaxLevels + 1>, MaxAlternatives + 1> stepSquare;
    std::array<std::array<std::uint8_t, MaxLevels + 1>, MaxAlternatives + 1> stepTaken;
    const int first = ForwardFirst[SideToMove], last = ForwardLast[SideToMove];
    const std::uint8_t enemy = Opponent;

    int bestLength = 1;
    Moves.Reset(1, true);
    const TSquareSet candidates = MarkedOwnPieces();
    for (int w = 0; w < 2; ++w)
        for (std::uint64_t bits = candidates.Word[w]; bits != 0; bits &= bits - 1) {
            const int s = w * 64 + std::countr_zero(bits);
            Board[s].Mark = Board[s].Kind == King;
            int level = 1;
            alternatives[1] = 1;
            alternatives[2] = 0;
            stepSquare[1][1] = static_cast<std::uint8_t>(s);

            for (;;) {
                const int cur = stepSquare[alternatives[level]][level];
                if (alternatives[level + 1] == 0 && level < MaxLevels) {
                    // An enemy next door and an empty square beyond, tested without branches.
                    unsigned dirs = 0;
                    for (int d = first; d <= last; ++d) {
                        const std::uint32_t v = Word(Neighbour[cur][d]);
                        const std::uint32_t t = Word(Jump[cur][d]);
                        dirs |= (~v >> 8 & ((v >> 16) ^ enemy ^ 1u) & t >> 8 & 1u) << d;
                    }
                    for (; dirs != 0; dirs &= dirs - 1) {
                        const int d = std::countr_zero(dirs);
                        const int a = ++alternatives[level + 1];
                        stepSquare[a][level + 1] = Jump[cur][d];
                        stepTaken[a][level + 1] = Neighbour[cur][d];
                        Board[s].Mark = 1;
                    }
                }

                if (alternatives[level + 1] > 0) {
                    ++level;
                    alternatives[level + 1] = 0;
                    Board[stepSquare[alternatives[level]][level]] = Board[cur];
                    continue;
                }

                const int taken = level - 1;
                if (taken >= 1 && taken >= bestLength) {
                    if (taken > bestLength) {
                        bestLength = taken;
                        Moves.Reset(bestLength, true);
                    }
                    Moves.AddCapture(static_cast<std::uint8_t>(s), taken, stepSquare, stepTaken,
                                     alternatives);
                }

                bool resumed = false;
                while (level > 1) {
                    const int d = stepSquare[alternatives[level]][level];
                    --alternatives[level];
                    --level;
                    Board[d].Empty = 1;
                    if (alternatives[level + 1] > 0) {
                        resumed = true;
                        break;
                    }
                }
                if (!resumed) break;
            }
        }
    return Moves.Count > 0;
}

// A taken piece stays where it is and joins the capturer. Its value leaves the loser's
// side and joins the capturer's, and the loser's pieces that can now take it are marked.
void TVornaPosition::RemovePiece(int square) {
    TSquare& q = Board[square];
    const int loser = SideToMove, winner = Opponent;
    Evaluation -= ValueTable[square][loser][q.Kind] + ValueTable[square][winner][q.Kind];
    --Counts[loser][q.Kind];
    ++Counts[winner][q.Kind];
    q.Side = static_cast<std::uint8_t>(winner);
    MarkArrived(square);
}

int TVornaPosition::MenPerSide() const {
    if (BoardRows % 2 == 1)
        return static_cast<int>(std::nearbyint(SquareCount / 2.0 - 3.0 * BoardFiles / 4.0));
    return (SquareCount - BoardFiles) / 2;
}

double TVornaPosition::ManBonus(int square, int side) const {
    return static_cast<double>(RowsAhead[square][side]) / BoardRows +
           static_cast<double>(EdgeDistance[square]) / BoardFiles;
}

double TVornaPosition::KingBonus(int, int) const {
    return 0.0;
}

} // namespace quorvin
