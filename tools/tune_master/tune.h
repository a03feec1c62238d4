// The parts of tune_master: ballot openings, self-play games and the fit of the weights.
#pragma once

#include "cli_args.h"
#include "master_eval.h"
#include "notation.h"

#include <functional>
#include <ostream>

namespace quorvin::tune {

// tune_master openings BOARD [--count 50] [--plies 2-3] [--margin 30] [--seed S]
int OpeningsCommand(const cli::TArgs& args, std::ostream& out);
// tune_master games BOARD [--games 1000] [--nodes 3000] [--plies 4-8] [--seed S] --out FILE
int GamesCommand(const cli::TArgs& args, std::ostream& out);
// tune_master fit BOARD --in FILE [--in2 FILE] [--epochs 3000] [--write FILE]
int FitCommand(const cli::TArgs& args, std::ostream& out);

// tune_master patterns BOARD --in FILE [--in2 FILE] [--epochs 20] [--rate 1] [--lambda 1e-10]
//                       [--write FILE]
int PatternsCommand(const cli::TArgs& args, std::ostream& out);

// A term's count times the scale of a draw, over this, is what a weight of one thousandth of a
// man adds in hundredths: the evaluation's own arithmetic, in real numbers.
inline constexpr double FeatureDivisor = static_cast<double>(PhaseScale) * 10.0 * ScaleFull;

// The winning chance of a score for a scale K.
double Sigmoid(double score, double k);
// The scale K (10 to 3000, in steps of 5 %) at which errorAt is least.
double BestScale(const std::function<double(double)>& errorAt);

// Calls `use` with the terms, the result for White and the line number of every quiet position
// of a games file (no capture for the side to move, none threatened); counts the others.
void ForEachQuietPosition(const std::string& file, TPosition& position, const TMasterBoard& board,
                          const TNotation& notation, long long& skipped,
                          const std::function<void(const TMasterFeatures&, float, long long)>& use);

// Builds the geometry of the chosen board and returns its notation.
TNotation UseBoardOf(const cli::TBoardChoice& board);

// "A-B" as two whole numbers; one number stands for both.
std::pair<int, int> ReadRange(const cli::TArgs& args, const std::string& name, int lo, int hi,
                              std::pair<int, int> fallback);

} // namespace quorvin::tune
