// `quorvin-cli think FILE.qvp --level L [--disposition] [--seed S]`: the computer's choice in a
// saved position, with each iteration of the search and its forecast in plain lines, and the
// move in the notation of the file's board. The clock's readings stand on lines of their own
// ("time ..."), so that two runs compare without. With --master the master search chooses,
// for --move-time S (1 s by default), to --depth D or over --nodes N.
#include "cli_args.h"
#include "commands.h"
#include "game_settings.h"
#include "master_options.h"
#include "master_think.h"
#include "mathematics.h"
#include "notation.h"
#include "position_file.h"
#include "referee.h"
#include "think.h"

#include <cmath>

namespace quorvin::cli {

namespace {
class TPrintingObserver : public TThinkObserver {
  public:
    TPrintingObserver(std::ostream& out, bool master) : Out(out), Master(master) {}
    // The master search names the depth of the iteration it starts instead of a budget.
    void IterationStarted(int, double budget) override {
        Out << (Master ? "iteration " : "budget ") << std::llround(budget) << "\n";
    }
    void IterationDone(const TThinkIteration& it) override {
        Out << "depth " << FixedText(it.AverageDepth, 1) << " (" << it.MinDepth << "-"
            << it.MaxDepth << "), positions " << it.Positions << "\n";
        Out << "time " << FixedText(it.TotalMs / 1000.0, 2) << " s ("
            << FixedText(it.IterationMs / 1000.0, 2) << " s this iteration), "
            << it.PositionsPerSecond << " positions/s\n";
        Out << SideNames[it.Side] << ": " << ForecastText(it.Score, nullptr) << "\n";
    }
    void NoSearch(int) override { Out << "no search: the move is played at once\n"; }

  private:
    std::ostream& Out;
    bool Master;
};
} // namespace

int ThinkCommand(const TArgList& list, std::ostream& out) {
    const TArgs args(list, {"disposition", "master"}, MasterOptions({"level", "seed"}), 1);
    if (args.Positional().size() != 1) throw TUsageError("name one position file");
    const bool master = args.Has("master");
    if (master && args.Has("level")) throw TUsageError("--level is for the described search");
    if (!master && HasMasterOptions(args))
        throw TUsageError("--move-time, --depth and --nodes are for --master");
    const TMasterLimits limits = ReadMasterLimits(args, MasterLevelTimeMs);
    const int level = static_cast<int>(args.Integer("level", 2, 0, 12));
    if (args.Has("seed"))
        SeedRandom(static_cast<std::uint64_t>(args.Integer("seed", 0, 0, LLONG_MAX)));
    else
        SeedRandomFromClock();

    const TPositionFile file = ReadPositionFile(args.Positional()[0]);
    TGame game = ApplyPositionFile(file);
    const TOutcome outcome = JudgeCurrentPosition(game);
    if (outcome.Kind != TOutcomeKind::Playing) {
        out << OutcomeMessage(outcome, nullptr) << "\n";
        return 0;
    }
    TPrintingObserver observer(out, master);
    TThinkRequest request;
    request.Level = level;
    request.Disposition = args.Has("disposition");
    request.Observer = &observer;
    // The master starts from an empty table, so that the same limits search the same way.
    if (master) MasterThinkSearch().Clear();
    const TThinkResult r =
        master ? MasterThinkMove(game, request, limits) : ThinkMove(game, request);
    const TNotation notation =
        TNotation::ForBoard(file.Rules, file.Rows, file.Files, file.Coloring);
    out << "bestmove " << notation.MoveName(game.CurrentPosition(), r.Move) << "\n";
    return 0;
}

} // namespace quorvin::cli
