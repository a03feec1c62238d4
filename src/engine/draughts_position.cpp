// Move and capture generation and the evaluation terms of international draughts.
#include "draughts_position.h"

#include <algorithm>
#include <cmath>

namespace quorvin {

std::unique_ptr<TPosition> TDraughtsPosition::NewPosition() const {
    return std::make_unique<TDraughtsPosition>();
}

std::unique_ptr<TPosition> TDraughtsPosition::Clone() const {
    return std::make_unique<TDraughtsPosition>(*this);
}

void TDraughtsPosition::SetManCaptureDirections() {
    ManCaptureFirst = 0;
    ManCaptureLast = 3;
}

bool TDraughtsPosition::ShortKings() const {
    return false;
}

bool TDraughtsPosition::GenerateMoves(bool OnlyTest) {
    Moves.Reset(0, true);
    const bool shortKings = ShortKings();
    const int first = ForwardFirst[SideToMove], last = ForwardLast[SideToMove];
    const TSquareSet pieces = OwnPieces();
    if (OnlyTest) {
        // Any move will do: the front pieces, tried first, are the likeliest to have one.
        return pieces.Any(SideToMove == White, [&](int s) {
            const bool king = Board[s].Kind == King;
            for (int d = king ? 0 : first; d <= (king ? 3 : last); ++d)
                if (Board[Neighbour[s][d]].Empty) return true;
            return false;
        });
    }
    for (int w = 0; w < 2; ++w)
        for (std::uint64_t bits = pieces.Word[w]; bits != 0; bits &= bits - 1) {
            const int s = w * 64 + std::countr_zero(bits);
            const auto from = static_cast<std::uint8_t>(s);
            if (Board[s].Kind == King) {
                for (int d = 0; d < 4; ++d)
                    for (int t = Neighbour[s][d]; Board[t].Empty; t = Neighbour[t][d]) {
                        Moves.AddSimple(from, static_cast<std::uint8_t>(t));
                        if (shortKings) break;
                    }
            } else {
                for (int d = first; d <= last; ++d) {
                    const int t = Neighbour[s][d];
                    Moves.AddSimpleIf(from, static_cast<std::uint8_t>(t), Board[t].Empty != 0);
                }
            }
        }
    return Moves.Count > 0;
}

// The capture search walks every sequence depth first with explicit stacks, moving the
// piece on the board and turning taken pieces to the mover's side (so that they can be
// neither taken again nor passed or landed on) and restoring everything on the way back.
bool TDraughtsPosition::GenerateCaptures() {
    SetManCaptureDirections();
    Moves.Reset(1, true);
    const TSquareSet candidates = MarkedOwnPieces();
    if (candidates.Word[0] == 0 && candidates.Word[1] == 0) return false;
    const bool shortKings = ShortKings();
    const bool maxRule = MaxCaptureRule();
    const std::uint8_t own = SideToMove, enemy = Opponent;
    const int manFirst = ManCaptureFirst, manLast = ManCaptureLast;

    // alternatives[k]: steps still to try at level k; step[a][k]: landing and taken square.
    std::array<int, MaxCaptureLevels + 2> alternatives;
    std::array<std::array<std::uint8_t, MaxCaptureLevels + 1>, MaxCaptureAlternatives + 1>
        stepSquare;
    std::array<std::array<std::uint8_t, MaxCaptureLevels + 1>, MaxCaptureAlternatives + 1>
        stepTaken;

    // The occupied squares, read once the first king needs them. A flying king finds the
    // first piece along a line from them instead of walking the empty squares one by one:
    // the nearest square ahead has the lowest number, the nearest behind the highest. With
    // no piece on the line the answer is 0, the sentinel, which is never an enemy.
    TSquareSet occupied;
    bool occupiedKnown = false;
    using TWords = std::array<std::uint64_t, 2>;
    auto ahead = [](int from, int d, const TWords& set) {
        const std::uint64_t low = Ray[from][d][0] & set[0], high = Ray[from][d][1] & set[1];
        return (low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(high)) & 127;
    };
    auto behind = [](int from, int d, const TWords& set) {
        const std::uint64_t low = Ray[from][d][0] & set[0], high = Ray[from][d][1] & set[1];
        return std::max(high != 0 ? 127 - std::countl_zero(high) : 63 - std::countl_zero(low), 0);
    };

    int bestLength = 1;
    for (int w = 0; w < 2; ++w)
        for (std::uint64_t bits = candidates.Word[w]; bits != 0; bits &= bits - 1) {
            const int s = w * 64 + std::countr_zero(bits);
            const bool king = Board[s].Kind == King;
            Board[s].Mark = king;
            int level = 1;
            alternatives[1] = 1;
            alternatives[2] = 0;
            stepSquare[1][1] = static_cast<std::uint8_t>(s);

            auto push = [&](int landing, int taken) {
                int& a = alternatives[level + 1];
                if (a == MaxCaptureAlternatives) return;
                ++a;
                stepSquare[a][level + 1] = static_cast<std::uint8_t>(landing);
                stepTaken[a][level + 1] = static_cast<std::uint8_t>(taken);
                Board[s].Mark = 1;
            };

            for (;;) {
                const int cur = stepSquare[alternatives[level]][level];
                if (alternatives[level + 1] == 0 && level < MaxCaptureLevels) {
                    if (!king) {
                        // The directions with an enemy next door and an empty square
                        // beyond, found without branches, then taken in order.
                        unsigned dirs = 0;
                        for (int d = manFirst; d <= manLast; ++d) {
                            const std::uint32_t v = Word(Neighbour[cur][d]);
                            const std::uint32_t t = Word(Jump[cur][d]);
                            dirs |= (~v >> 8 & ((v >> 16) ^ own) & t >> 8 & 1u) << d;
                        }
                        for (; dirs != 0; dirs &= dirs - 1) {
                            const int d = std::countr_zero(dirs);
                            push(Jump[cur][d], Neighbour[cur][d]);
                        }
                    } else {
                        // The first piece in each direction, then the directions where
                        // it is an enemy with an empty square behind, found without
                        // branches.
                        std::array<int, 4> first;
                        if (shortKings) {
                            first = {Neighbour[cur][0], Neighbour[cur][1], Neighbour[cur][2],
                                     Neighbour[cur][3]};
                        } else {
                            if (!occupiedKnown) {
                                occupied = Matching(0x0000FF00u, 0);
                                occupiedKnown = true;
                            }
                            // Taken pieces stay until the sequence ends; only the start
                            // square is empty once the king has left it (and no line from
                            // the king's square holds that square itself).
                            TWords set = occupied.Word;
                            set[s / 64] &= ~(std::uint64_t{1} << (s % 64));
                            first = {ahead(cur, 0, set), ahead(cur, 1, set), behind(cur, 2, set),
                                     behind(cur, 3, set)};
                        }
                        unsigned dirs = 0;
                        for (int d = 0; d < 4; ++d) {
                            const std::uint32_t v = Word(first[d]);
                            const std::uint32_t t = Word(Neighbour[first[d]][d]);
                            dirs |= (~v >> 8 & ((v >> 16) ^ own) & t >> 8 & 1u) << d;
                        }
                        for (; dirs != 0; dirs &= dirs - 1) {
                            const int d = std::countr_zero(dirs);
                            const int v = first[d];
                            for (int t = Neighbour[v][d]; Board[t].Empty; t = Neighbour[t][d]) {
                                push(t, v);
                                if (shortKings) break;
                            }
                        }
                    }
                }

                if (alternatives[level + 1] > 0) {
                    ++level;
                    alternatives[level + 1] = 0;
                    const int n = stepSquare[alternatives[level]][level];
                    const int x = stepTaken[alternatives[level]][level];
                    Board[n] = Board[cur];
                    Board[cur].Empty = 1;
                    Board[x].Side = own;
                    continue;
                }

                const int taken = level - 1;
                if (taken >= 1 && (!maxRule || taken >= bestLength)) {
                    if (taken > bestLength) {
                        bestLength = taken;
                        Moves.Reset(bestLength, maxRule);
                    }
                    Moves.AddCapture(static_cast<std::uint8_t>(s), taken, stepSquare, stepTaken,
                                     alternatives);
                }

                bool resumed = false;
                while (level > 1) {
                    const int d = stepSquare[alternatives[level]][level];
                    const int x = stepTaken[alternatives[level]][level];
                    --alternatives[level];
                    --level;
                    const int back = stepSquare[alternatives[level]][level];
                    Board[back] = Board[d];
                    Board[d].Empty = 1;
                    Board[x].Side = enemy;
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

void TDraughtsPosition::RemovePiece(int square) {
    TSquare& q = Board[square];
    Evaluation -= ValueTable[square][SideToMove][q.Kind];
    --Counts[q.Side][q.Kind];
    q.Empty = 1;
    MarkVacated(square);
}

void TDraughtsPosition::Crown(int square) {
    TSquare& q = Board[square];
    --Counts[q.Side][Man];
    q.Kind = King;
    ++Counts[q.Side][King];
}

bool TDraughtsPosition::IsEndgame() const {
    if (Counts[White][King] + Counts[Black][King] > 0) return true;
    return Counts[White][Man] + Counts[Black][Man] <= 0.75 * MenPerSide();
}

double TDraughtsPosition::KingValue() const {
    return IsEndgame() ? 3.1 : 2.9;
}

double TDraughtsPosition::KingBonus(int square, int) const {
    return OnLongDiagonal[square] ? 0.2 : 0.0;
}

double TDraughtsPosition::ManBonus(int square, int side) const {
    const int r = RowsAhead[square][side];
    const int e = EdgeDistance[square];
    const int b = BoardRows - 1 - r;
    if (r == 1) return e == 0 ? 0.4 : 0.8;
    if (r == 2) return e == 0 ? 0.1 : (e == 1 ? 0.2 : 0.4);
    const bool endgame = IsEndgame();
    double v = 0.0;
    if (endgame) v = r <= 3 ? 0.09 : 0.09 / std::pow(1.5, r - 3);
    if (endgame)
        v += e <= 1 ? 0.03 : -0.03;
    else if (e == 1)
        v -= 0.01;
    else if (e >= 2)
        v += 0.03;
    if (!endgame && b <= 1 && e == 0) v -= 0.1;
    if (b == 0 && e == (BoardFiles - 1) / 2) v += 0.1;
    if (r == 3 && e == 2) v += 0.1;
    return v;
}

} // namespace quorvin
