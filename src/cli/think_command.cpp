// `quorvin-cli think FILE.qvp --level L [--disposition] [--seed S]`: the computer's choice in a
// saved position, with the statistics and the forecast the window would show.
#include "bench_positions.h"
#include "cli_args.h"
#include "commands.h"
#include "mathematics.h"
#include "position_file.h"
#include "referee.h"
#include "think.h"

namespace quorvin::cli {

namespace {
class TPrintingObserver : public TThinkObserver {
  public:
    explicit TPrintingObserver(std::ostream& out) : Out(out) {}
    void ShowStatistic(TStatistic, const std::string& text) override { Out << text << "\n"; }
    void SetForecastText(int side, const std::string& text) override {
        Out << SideNames[side] << ": " << text << "\n";
    }
    void ClearForecast(int) override {}

  private:
    std::ostream& Out;
};
} // namespace

int ThinkCommand(const TArgList& list, std::ostream& out) {
    const TArgs args(list, {"disposition"}, {"level", "seed"}, 1);
    if (args.Positional().size() != 1) throw TUsageError("name one position file");
    const int level = static_cast<int>(args.Integer("level", 2, 0, 12));
    if (args.Has("seed"))
        SeedRandom(static_cast<std::uint64_t>(args.Integer("seed", 0, 0, LLONG_MAX)));
    else
        SeedRandomFromClock();

    TGame game = ApplyPositionFile(ReadPositionFile(args.Positional()[0]));
    const TOutcome outcome = JudgeCurrentPosition(game);
    if (outcome.Kind != TOutcomeKind::Playing) {
        out << OutcomeMessage(outcome, nullptr) << "\n";
        return 0;
    }
    TPrintingObserver observer(out);
    TThinkRequest request;
    request.Level = level;
    request.Disposition = args.Has("disposition");
    request.Observer = &observer;
    const TThinkResult r = ThinkMove(game, request);
    out << "bestmove " << MoveName(game.CurrentPosition(), r.Move) << "\n";
    return 0;
}

} // namespace quorvin::cli
