// The fit of the pattern weights (master_patterns.h): the quiet positions of self-play games,
// each scored by the terms with their weights in force plus the patterns of both frames, and the
// pattern weights that make the winning chance, a sigmoid of the score over the scale K that
// fits the terms alone, agree best with the results. Least squares with a pull of every weight
// towards 0 (lambda), which keeps the formations few games show near nothing; Adam steps on
// shuffled batches. Every tenth block of a thousand lines (whole games, mostly) is held out,
// and its error is printed beside the fitted one, so that a fit that learns the games by heart
// shows.
#include "tune.h"

#include "atomic_file.h"
#include "mathematics.h"
#include "rules.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <sstream>

namespace quorvin::tune {

namespace {
constexpr int BatchSize = 4096;

struct TPatternSample {
    float Base = 0.0f;    // the terms' score, hundredths of a man for White
    float Opening = 0.0f; // what an opening weight adds per unit: phase and draw scale
    float Endgame = 0.0f;
    float Result = 0.5f;
    TPatternNumbers Index{}; // White's frame's windows, then Black's
};

// The name of a family in the code, for the weights file.
constexpr std::array<std::string_view, RulesCount> RulesEnumNames{
    "Vorna", "International", "Spanish", "Straight", "Russian", "Pool", "Czech", "Italian"};

// Weights[window * PatternIndices + index][0 opening, 1 endgame].
using TWeights = std::vector<std::array<double, 2>>;

double Score(const TWeights& w, const TPatternSample& s, int windows) {
    double sum = s.Base;
    for (int k = 0; k < windows; ++k) {
        const std::size_t base = static_cast<std::size_t>(k) * PatternIndices;
        const auto& own = w[base + s.Index[static_cast<std::size_t>(k)]];
        const auto& other = w[base + s.Index[static_cast<std::size_t>(MaxPatternWindows + k)]];
        sum += (own[0] - other[0]) * s.Opening + (own[1] - other[1]) * s.Endgame;
    }
    return sum;
}

double Error(const std::vector<TPatternSample>& samples, const TWeights& w, int windows, double k) {
    double sum = 0.0;
    for (const TPatternSample& s : samples) {
        const double d = s.Result - Sigmoid(Score(w, s, windows), k);
        sum += d * d;
    }
    return samples.empty() ? 0.0 : sum / static_cast<double>(samples.size());
}

std::string PatternFile(const std::vector<TMasterPatternSet>& sets,
                        const std::vector<std::vector<TMasterPatternEntry>>& entries) {
    std::ostringstream out;
    out << "// The master evaluation's pattern weights; see master_patterns.h. Written by\n"
           "// tools/tune_master: each set is a family on one board, with the windows and "
           "numbers seen in\n// its self-play games.\n"
           "#include \"master_patterns.h\"\n\nnamespace quorvin {\n\nnamespace {\n"
           "// clang-format off\n";
    for (std::size_t k = 0; k < sets.size(); ++k) {
        out << "constexpr std::array<TMasterPatternEntry, " << entries[k].size() << "> Set" << k
            << "{{";
        int column = 0;
        for (const TMasterPatternEntry& e : entries[k]) {
            out << (column++ % 6 == 0 ? "\n    " : " ") << "{" << int{e.Window} << ", " << e.Index
                << ", " << e.Opening << ", " << e.Endgame << "},";
        }
        out << "\n}};\n";
    }
    out << "// clang-format on\n\nconstexpr std::array<TMasterPatternSet, " << sets.size()
        << "> Sets{{\n";
    for (std::size_t k = 0; k < sets.size(); ++k)
        out << "    {TRules::" << RulesEnumNames[static_cast<std::size_t>(sets[k].Rules)] << ", "
            << sets[k].Rows << ", " << sets[k].Files << ", " << sets[k].Coloring << ", Set" << k
            << "},\n";
    out << "}};\n} // namespace\n\nconst std::span<const TMasterPatternSet> "
           "MasterPatternSets{Sets};\n\n} // namespace quorvin\n";
    return out.str();
}
} // namespace

int PatternsCommand(const cli::TArgs& args, std::ostream& out) {
    const cli::TBoardChoice board = cli::ReadBoardChoice(args);
    const TNotation notation = UseBoardOf(board);
    if (!args.Has("in")) throw cli::TUsageError("name the games file with --in");
    const int epochs = static_cast<int>(args.Integer("epochs", 20, 1, 100000));
    const double rate = std::stod(args.Text("rate", "1"));
    const double lambda = std::stod(args.Text("lambda", "1e-10"));
    auto position = CreatePosition(board.Rules);
    position->SetInitial();
    TMasterBoard masterBoard;
    BuildMasterBoard(masterBoard, *position);
    // The frames' numbers are read whether or not the family has weights yet.
    BuildPatternSlots(masterBoard.PatternSlots);
    TMasterPatternTable none;
    masterBoard.Patterns = &none;
    const int windows = masterBoard.PatternSlots.Windows;
    if (windows == 0) throw cli::TUsageError("patterns need a board of 4 to 10 rows and files");

    std::vector<TPatternSample> train, held;
    long long skipped = 0;
    for (const char* name : {"in", "in2"})
        if (args.Has(name))
            ForEachQuietPosition(args.Text(name, ""), *position, masterBoard, notation, skipped,
                                 [&](const TMasterFeatures& f, float result, long long line) {
                                     TPatternSample s;
                                     const double unit = f.Scale / FeatureDivisor;
                                     s.Base = static_cast<float>(
                                         MasterScoreForWhite(f, *masterBoard.Weights, nullptr));
                                     s.Opening = static_cast<float>(unit * f.Phase);
                                     s.Endgame = static_cast<float>(unit * (PhaseScale - f.Phase));
                                     s.Result = result;
                                     s.Index = f.Pattern;
                                     (line / 1000 % 10 == 9 ? held : train).push_back(s);
                                 });
    if (train.empty()) throw cli::TUsageError("no quiet position to fit");

    // K is the one that fits the terms alone.
    const double k = BestScale([&](double scale) {
        double sum = 0.0;
        for (const TPatternSample& s : train) sum += std::pow(s.Result - Sigmoid(s.Base, scale), 2);
        return sum / static_cast<double>(train.size());
    });
    TWeights w(static_cast<std::size_t>(windows) * PatternIndices, {0.0, 0.0});
    out << train.size() << " quiet positions to fit, " << held.size() << " held out (" << skipped
        << " others left out); K " << k << ", error " << std::setprecision(6)
        << Error(train, w, windows, k) << ", held out " << Error(held, w, windows, k) << "\n"
        << std::flush;

    // Adam on batches: the gradient of the squared error of each sample reaches the two
    // weights of each window it reads, and the pull towards 0 reaches every weight.
    TWeights m(w.size(), {0.0, 0.0}), v(w.size(), {0.0, 0.0}), grad(w.size(), {0.0, 0.0});
    std::vector<std::uint32_t> seen(w.size(), 0);
    for (const TPatternSample& s : train)
        for (int f = 0; f < 2; ++f)
            for (int j = 0; j < windows; ++j)
                ++seen[static_cast<std::size_t>(j) * PatternIndices +
                       s.Index[static_cast<std::size_t>(f * MaxPatternWindows + j)]];
    out << "windows " << windows << ", formations seen "
        << std::count_if(seen.begin(), seen.end(), [](std::uint32_t c) { return c > 0; }) << "\n";
    constexpr double Beta1 = 0.9, Beta2 = 0.999, Epsilon = 1e-8;
    std::vector<std::size_t> order(train.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    SeedRandom(1);
    long long step = 0;
    for (int epoch = 1; epoch <= epochs; ++epoch) {
        // The steps shrink towards a tenth of the rate over the epochs, to settle the weights.
        const double stepRate = rate * (1.0 - 0.9 * (epoch - 1) / std::max(1, epochs - 1));
        for (std::size_t i = order.size(); i > 1; --i)
            std::swap(order[i - 1],
                      order[static_cast<std::size_t>(RandomBetween(0, static_cast<int>(i) - 1))]);
        for (std::size_t from = 0; from < order.size(); from += BatchSize) {
            const std::size_t to = std::min(order.size(), from + BatchSize);
            const double n = static_cast<double>(to - from);
            for (auto& g : grad) g = {0.0, 0.0};
            for (std::size_t i = from; i < to; ++i) {
                const TPatternSample& s = train[order[i]];
                const double p = Sigmoid(Score(w, s, windows), k);
                const double g = -2.0 * (s.Result - p) * p * (1.0 - p) / (n * k);
                for (int j = 0; j < windows; ++j) {
                    const std::size_t base = static_cast<std::size_t>(j) * PatternIndices;
                    auto& own = grad[base + s.Index[static_cast<std::size_t>(j)]];
                    auto& other =
                        grad[base + s.Index[static_cast<std::size_t>(MaxPatternWindows + j)]];
                    own[0] += g * s.Opening;
                    own[1] += g * s.Endgame;
                    other[0] -= g * s.Opening;
                    other[1] -= g * s.Endgame;
                }
            }
            ++step;
            const double c1 = 1 - std::pow(Beta1, static_cast<double>(step));
            const double c2 = 1 - std::pow(Beta2, static_cast<double>(step));
            for (std::size_t j = 0; j < w.size(); ++j) {
                if (seen[j] == 0) continue;
                for (int q = 0; q < 2; ++q) {
                    const double gj = grad[j][static_cast<std::size_t>(q)] +
                                      2.0 * lambda * w[j][static_cast<std::size_t>(q)];
                    double& mj = m[j][static_cast<std::size_t>(q)];
                    double& vj = v[j][static_cast<std::size_t>(q)];
                    mj = Beta1 * mj + (1 - Beta1) * gj;
                    vj = Beta2 * vj + (1 - Beta2) * gj * gj;
                    w[j][static_cast<std::size_t>(q)] -=
                        stepRate * (mj / c1) / (std::sqrt(vj / c2) + Epsilon);
                }
            }
        }
        double largest = 0.0;
        for (const auto& x : w) largest = std::max({largest, std::abs(x[0]), std::abs(x[1])});
        out << "epoch " << epoch << ": largest weight " << largest << ", error "
            << Error(train, w, windows, k) << ", held out " << Error(held, w, windows, k) << "\n"
            << std::flush;
    }

    // Whole thousandths, within what the table holds; weights that round to 0 are left out.
    std::vector<TMasterPatternEntry> entries;
    auto clip = [](double x) {
        return static_cast<std::int16_t>(std::clamp<long>(std::lround(x), -30000, 30000));
    };
    for (std::size_t j = 0; j < w.size(); ++j) {
        const std::int16_t o = clip(w[j][0]), e = clip(w[j][1]);
        if (o != 0 || e != 0)
            entries.push_back({static_cast<std::uint8_t>(j / PatternIndices),
                               static_cast<std::uint16_t>(j % PatternIndices), o, e});
    }
    out << entries.size() << " weights kept of " << w.size() << "\n";
    if (args.Has("write")) {
        std::vector<TMasterPatternSet> sets;
        std::vector<std::vector<TMasterPatternEntry>> all;
        const TMasterPatternSet mine{board.Rules, BoardRows, BoardFiles, BoardColoringFlag, {}};
        bool replaced = false;
        for (const TMasterPatternSet& set : MasterPatternSets) {
            sets.push_back(set);
            const bool same = set.Rules == mine.Rules && set.Rows == mine.Rows &&
                              set.Files == mine.Files && set.Coloring == mine.Coloring;
            all.emplace_back(
                same ? entries
                     : std::vector<TMasterPatternEntry>(set.Entries.begin(), set.Entries.end()));
            replaced = replaced || same;
        }
        if (!replaced) {
            sets.push_back(mine);
            all.push_back(entries);
        }
        WriteFileAtomically(args.Text("write", ""), PatternFile(sets, all));
        out << "written to " << args.Text("write", "") << "\n";
    }
    return 0;
}

} // namespace quorvin::tune
