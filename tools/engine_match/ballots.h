// The openings of a match: "ballots", the positions reached from International draughts'
// initial position by a few plies played by lot rather than by choice, so that two engines
// meet in many different games. Every distinct position after `plies` plies without a capture
// on the way is one ballot; they come in an order shuffled by a seed, the same on every
// machine. An openings file (cli::ReadDxpOpenings) may take their place.
#pragma once

#include "fen.h"

#include <cstdint>
#include <vector>

namespace quorvin::match {

// The board must be the current geometry (cli::UseDxpBoard).
std::vector<TFenPosition> BallotOpenings(int plies, std::uint64_t seed);

} // namespace quorvin::match
