// The logistic fit of the evaluation's weights: the quiet positions of self-play games (the
// side to move has no capture and its opponent threatens none), each with its game's result
// for White, and the weights that make the evaluation's winning chance, a sigmoid of the score
// over a scale K, agree best with the results (least squares, Adam steps on the whole set).
// K is fitted first with the weights in force and then stays (with --free-k it moves with the
// weights). Many terms count men with some property, so together they can raise what a man is
// worth; a small pull of every weight towards the one in force (lambda) keeps terms that few
// positions show from taking extreme values. Where the family has pattern weights, what they
// add to each position is held as it stands (tune_master patterns fits them).
#include "tune.h"

#include "atomic_file.h"
#include "fen.h"
#include "master_eval.h"
#include "notation.h"
#include "rules.h"

#include <cmath>
#include <fstream>
#include <iomanip>
#include <sstream>

namespace quorvin::tune {

namespace {
constexpr int Weights = 2 * MasterFeatureCount; // openings first, then endgames
// The weights file names each family's rows as the rules list names the family.
static_assert(MasterFamilies == RulesCount);

struct TSample {
    std::array<float, Weights> X{}; // the score is the weights times X, plus Patterns
    float Patterns = 0.0f;          // what the family's pattern weights add, held
    float Result = 0.5f;
};

using TVector = std::array<double, Weights>;

TVector FromTable(const TMasterWeights& w) {
    TVector v{};
    for (int i = 0; i < MasterFeatureCount; ++i) {
        v[static_cast<std::size_t>(i)] = w.Opening[static_cast<std::size_t>(i)];
        v[static_cast<std::size_t>(MasterFeatureCount + i)] =
            w.Endgame[static_cast<std::size_t>(i)];
    }
    return v;
}

TMasterWeights ToTable(const TVector& v) {
    TMasterWeights w;
    for (int i = 0; i < MasterFeatureCount; ++i) {
        w.Opening[static_cast<std::size_t>(i)] =
            static_cast<int>(std::lround(v[static_cast<std::size_t>(i)]));
        w.Endgame[static_cast<std::size_t>(i)] =
            static_cast<int>(std::lround(v[static_cast<std::size_t>(MasterFeatureCount + i)]));
    }
    return w;
}

double Score(const TVector& w, const TSample& s) {
    double e = s.Patterns;
    for (std::size_t k = 0; k < Weights; ++k) e += w[k] * s.X[k];
    return e;
}

double Error(const std::vector<TSample>& samples, const TVector& w, double k) {
    double sum = 0.0;
    for (const TSample& s : samples) {
        const double d = s.Result - Sigmoid(Score(w, s), k);
        sum += d * d;
    }
    return sum / static_cast<double>(samples.size());
}

void ReadSamples(const std::string& file, TPosition& position, const TMasterBoard& board,
                 const TNotation& notation, std::vector<TSample>& samples, long long& skipped) {
    ForEachQuietPosition(
        file, position, board, notation, skipped,
        [&](const TMasterFeatures& f, float result, long long) {
            TSample s;
            s.Result = result;
            if (board.Patterns)
                s.Patterns =
                    static_cast<float>(MasterScoreForWhite(f, *board.Weights, board.Patterns) -
                                       MasterScoreForWhite(f, *board.Weights, nullptr));
            for (int i = 0; i < MasterFeatureCount; ++i) {
                const double v = f.Values[static_cast<std::size_t>(i)] * f.Scale / FeatureDivisor;
                s.X[static_cast<std::size_t>(i)] = static_cast<float>(v * f.Phase);
                s.X[static_cast<std::size_t>(MasterFeatureCount + i)] =
                    static_cast<float>(v * (PhaseScale - f.Phase));
            }
            samples.push_back(s);
        });
}

std::string WeightsFile(const std::array<TMasterWeights, MasterFamilies>& all) {
    std::ostringstream out;
    out << "// The master evaluation's weights per rule family; see master_weights.h. Written by\n"
           "// tools/tune_master; each row is a family's opening and endgame weights in term "
           "order.\n"
           "#include \"master_weights.h\"\n\nnamespace quorvin {\n\n// clang-format off\n"
           "const std::array<TMasterWeights, MasterFamilies> MasterWeights{{\n";
    for (std::size_t f = 0; f < all.size(); ++f) {
        out << "    // " << FamilyNames[f] << "\n";
        auto row = [&](const std::array<int, MasterFeatureCount>& values) {
            out << "{";
            for (std::size_t i = 0; i < values.size(); ++i) out << (i ? ", " : "") << values[i];
            out << "}";
        };
        out << "    {";
        row(all[f].Opening);
        out << ",\n     ";
        row(all[f].Endgame);
        out << "},\n";
    }
    out << "}};\n// clang-format on\n\n} // namespace quorvin\n";
    return out.str();
}
} // namespace

double Sigmoid(double score, double k) {
    return 1.0 / (1.0 + std::exp(-score / k));
}

double BestScale(const std::function<double(double)>& errorAt) {
    double best = 100.0, bestError = errorAt(best);
    for (double k = 10.0; k <= 3000.0; k *= 1.05)
        if (const double e = errorAt(k); e < bestError) {
            bestError = e;
            best = k;
        }
    return best;
}

void ForEachQuietPosition(
    const std::string& file, TPosition& position, const TMasterBoard& board,
    const TNotation& notation, long long& skipped,
    const std::function<void(const TMasterFeatures&, float, long long)>& use) {
    std::ifstream in(file);
    if (!in) throw cli::TUsageError("cannot read " + file);
    auto probe = position.Clone();
    long long lineNumber = 0;
    for (std::string line; std::getline(in, line); ++lineNumber) {
        const std::size_t space = line.find(' ');
        if (space == std::string::npos) continue;
        const float result = std::stof(line.substr(0, space));
        ApplyFen(ParseFen(notation, line.substr(space + 1)), position);
        // Only quiet positions: no capture for the side to move, none threatened.
        position.ClearMoves();
        if (position.ClassifyNode(true) != NodeQuiet) {
            ++skipped;
            continue;
        }
        *probe = position;
        probe->SetSideToMove(position.Opponent);
        probe->ClearMoves();
        if (probe->ClassifyNode(true) == NodeHasMoves) {
            ++skipped;
            continue;
        }
        TMasterFeatures f;
        MasterFeatures(position, board, f);
        use(f, result, lineNumber);
    }
}

int FitCommand(const cli::TArgs& args, std::ostream& out) {
    const cli::TBoardChoice board = cli::ReadBoardChoice(args);
    const TNotation notation = UseBoardOf(board);
    const int epochs = static_cast<int>(args.Integer("epochs", 3000, 1, 1000000));
    if (!args.Has("in")) throw cli::TUsageError("name the games file with --in");
    auto position = CreatePosition(board.Rules);
    position->SetInitial();
    TMasterBoard masterBoard;
    BuildMasterBoard(masterBoard, *position);

    std::vector<TSample> samples;
    long long skipped = 0;
    for (const char* name : {"in", "in2"})
        if (args.Has(name))
            ReadSamples(args.Text(name, ""), *position, masterBoard, notation, samples, skipped);
    if (samples.empty()) throw cli::TUsageError("no quiet position to fit");
    const std::size_t family = static_cast<std::size_t>(board.Rules);
    const TVector start = FromTable(MasterWeights[family]);
    double k = BestScale([&](double scale) { return Error(samples, start, scale); });
    const double before = Error(samples, start, k);
    out << samples.size() << " quiet positions (" << skipped << " others left out); K " << k
        << ", error " << std::setprecision(6) << before << "\n";

    // Adam on the mean squared error and the pull towards the weights in force; the men's
    // opening weight is the unit and stays, and log K moves with the rest.
    const double lambda = std::stod(args.Text("lambda", "1e-10"));
    const bool freeK = args.Has("free-k");
    TVector w = start, m{}, v{};
    double logK = std::log(k), mK = 0.0, vK = 0.0;
    constexpr double Rate = 2.0, RateK = 0.002, Beta1 = 0.9, Beta2 = 0.999, Epsilon = 1e-8;
    const double n = static_cast<double>(samples.size());
    for (int epoch = 1; epoch <= epochs; ++epoch) {
        const double scale = std::exp(logK);
        TVector grad{};
        double gradK = 0.0;
        for (const TSample& s : samples) {
            const double e = Score(w, s);
            const double p = Sigmoid(e, scale);
            const double g = -2.0 * (s.Result - p) * p * (1.0 - p) / n;
            for (std::size_t j = 0; j < Weights; ++j) grad[j] += g / scale * s.X[j];
            gradK -= g * e / scale;
        }
        for (std::size_t j = 0; j < Weights; ++j) grad[j] += 2.0 * lambda * (w[j] - start[j]);
        grad[FeatMen] = 0.0;
        const double c1 = 1 - std::pow(Beta1, epoch), c2 = 1 - std::pow(Beta2, epoch);
        for (std::size_t j = 0; j < Weights; ++j) {
            m[j] = Beta1 * m[j] + (1 - Beta1) * grad[j];
            v[j] = Beta2 * v[j] + (1 - Beta2) * grad[j] * grad[j];
            w[j] -= Rate * (m[j] / c1) / (std::sqrt(v[j] / c2) + Epsilon);
        }
        mK = Beta1 * mK + (1 - Beta1) * gradK;
        vK = Beta2 * vK + (1 - Beta2) * gradK * gradK;
        if (freeK) logK -= RateK * (mK / c1) / (std::sqrt(vK / c2) + Epsilon);
        if (epoch % 500 == 0)
            out << "epoch " << epoch << ": K " << std::exp(logK) << ", error "
                << Error(samples, w, std::exp(logK)) << "\n"
                << std::flush;
    }
    k = std::exp(logK);
    const TMasterWeights fitted = ToTable(w);
    out << "error " << before << " -> " << Error(samples, FromTable(fitted), k) << "\n";
    for (int i = 0; i < MasterFeatureCount; ++i)
        out << std::left << std::setw(15) << MasterFeatureNames[static_cast<std::size_t>(i)]
            << std::right << std::setw(7)
            << MasterWeights[family].Opening[static_cast<std::size_t>(i)] << " ->" << std::setw(7)
            << fitted.Opening[static_cast<std::size_t>(i)] << std::setw(9)
            << MasterWeights[family].Endgame[static_cast<std::size_t>(i)] << " ->" << std::setw(7)
            << fitted.Endgame[static_cast<std::size_t>(i)] << "\n";
    if (args.Has("write")) {
        std::array<TMasterWeights, MasterFamilies> all = MasterWeights;
        all[family] = fitted;
        WriteFileAtomically(args.Text("write", ""), WeightsFile(all));
        out << "written to " << args.Text("write", "") << "\n";
    }
    return 0;
}

} // namespace quorvin::tune
