// `quorvin-cli selfplay`: whole games of the engine against itself, played through the game
// record and judged by the same rules as in the window; --pdn keeps them in a PDN file. Level
// 13 is the master search, which --master gives both sides; it plays under --move-time S
// (0.1 s by default), --depth D or --nodes N.
#include "atomic_file.h"
#include "cli_args.h"
#include "commands.h"
#include "master_options.h"
#include "master_think.h"
#include "mathematics.h"
#include "pdn.h"
#include "referee.h"
#include "rules.h"
#include "think.h"

namespace quorvin::cli {

namespace {
// A game longer than this is stopped and reported; the draw rules end every real game far
// earlier, so the report would show a fault.
constexpr int PlyLimit = 5000;
constexpr long long SelfPlayMasterMs = 100;
} // namespace

int SelfPlayCommand(const TArgList& list, std::ostream& out) {
    const TArgs args(list, BoardFlags({"disposition", "master"}),
                     MasterOptions(BoardOptions({"white", "black", "games", "seed", "pdn"})));
    const TBoardChoice board = ReadBoardChoice(args);
    const int fallback = args.Has("master") ? MasterLevelIndex : 2;
    const std::array<int, 2> levels{
        static_cast<int>(args.Integer("white", fallback, 0, MasterLevelIndex)),
        static_cast<int>(args.Integer("black", fallback, 0, MasterLevelIndex))};
    if (args.Has("master") && (args.Has("white") || args.Has("black")))
        throw TUsageError("--master sets both sides; give --white and --black 13 instead");
    const TMasterLimits limits = ReadMasterLimits(args, SelfPlayMasterMs);
    const int games = static_cast<int>(args.Integer("games", 1, 1, 1000000));
    SeedRandom(static_cast<std::uint64_t>(args.Integer("seed", 1, 0, LLONG_MAX)));
    UseBoard(board);
    const TNotation notation =
        TNotation::ForBoard(board.Rules, board.Rows, board.Files, board.Coloring);
    std::string pdn;

    std::array<int, 2> wins{};
    int draws = 0;
    for (int g = 1; g <= games; ++g) {
        TGame game(board.Rules);
        // Each game starts from an empty table, so that a seed (and a node limit) repeats it.
        MasterThinkSearch().Clear();
        TOutcome outcome;
        int plies = 0;
        for (;;) {
            outcome = JudgeCurrentPosition(game);
            if (outcome.Kind != TOutcomeKind::Playing || plies >= PlyLimit) break;
            TThinkRequest request;
            request.Level = levels[game.CurrentPosition().SideToMove];
            request.Disposition = args.Has("disposition");
            const TThinkResult r = request.Level == MasterLevelIndex
                                       ? MasterThinkMove(game, request, limits)
                                       : ThinkMove(game, request);
            game.PlayMove(r.Move);
            ++plies;
        }
        std::string result = OutcomeName(outcome);
        if (outcome.Kind == TOutcomeKind::Lost)
            ++wins[Opponent[outcome.Loser]];
        else if (outcome.Kind == TOutcomeKind::Draw)
            ++draws;
        else
            result = "unfinished";
        out << "game " << g << " " << result << " " << plies << "\n" << std::flush;
        if (args.Has("pdn")) {
            TPdnHeader header;
            header.Event = "quorvin-cli selfplay";
            header.Round = std::to_string(g);
            const auto player = [](int level) {
                return level == MasterLevelIndex ? std::string("Quorvin master")
                                                 : "Quorvin level " + std::to_string(level);
            };
            header.White = player(levels[White]);
            header.Black = player(levels[Black]);
            header.Result = PdnResult(outcome);
            if (!pdn.empty()) pdn += "\n";
            pdn += FormatPdnGame(game, notation, header, true);
        }
    }
    if (args.Has("pdn")) WriteFileAtomically(args.Text("pdn", ""), pdn);
    out << "games " << games << " white " << wins[White] << " black " << wins[Black] << " draws "
        << draws << "\n";
    return 0;
}

} // namespace quorvin::cli
