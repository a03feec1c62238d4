// Ballot openings; see ballots.h.
#include "ballots.h"

#include "game.h"

#include <random>
#include <set>

namespace quorvin::match {

namespace {
// Collects the positions `plies` plies below p, reached without a capture.
void Collect(const TPosition& p, int plies, const TNotation& notation, std::set<std::string>& seen,
             std::vector<TFenPosition>& found) {
    if (plies == 0) {
        const std::string fen = FormatFen(notation, p);
        if (seen.insert(fen).second) found.push_back(ParseFen(notation, fen));
        return;
    }
    // A position made by PlayMove keeps the move list it held before; it is listed afresh.
    std::unique_ptr<TPosition> parent = p.Clone();
    parent->ClearMoves();
    if (parent->ClassifyNode(false) != NodeHasMoves || parent->Moves.CaptureLength() > 0) return;
    std::unique_ptr<TPosition> child = p.NewPosition();
    for (int i = 1; i <= parent->Moves.Count; ++i) {
        child->PlayMove(*parent, i);
        Collect(*child, plies - 1, notation, seen, found);
    }
}
} // namespace

std::vector<TFenPosition> BallotOpenings(int plies, std::uint64_t seed) {
    const TNotation notation;
    const TGame start(TRules::International);
    std::set<std::string> seen;
    std::vector<TFenPosition> found;
    Collect(start.CurrentPosition(), plies, notation, seen, found);
    // Fisher-Yates with the standard's own generator, so that a seed means the same order
    // everywhere (std::shuffle may differ from one library to another).
    std::mt19937_64 random(seed);
    for (std::size_t i = found.size(); i > 1; --i) {
        const std::size_t j = static_cast<std::size_t>(random() % i);
        std::swap(found[i - 1], found[j]);
    }
    return found;
}

} // namespace quorvin::match
