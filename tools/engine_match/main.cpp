// engine_match: a match of International draughts between two engines, each a Hub engine, a
// DamExchange follower or this program's own search (match_players.h), refereed here by the
// game record's rules. The games start from ballot openings (ballots.h), or from the FENs of
// --openings; games 2k - 1 and 2k start from the same opening with the colours reversed, the
// first engine taking White in the odd games. At the end it prints the first engine's wins,
// draws and losses, its score and the Elo difference with its 95 % error (match_score.h).
// Unfinished games (the ply cap, a program that ended a game without a result) are counted
// apart and left out of the score. bench/match.sh runs it with the usual match settings.
//
//   engine_match --engine1 SPEC --engine2 SPEC [--games 40] [--move-time 0.5]
//                [--openings FILE | --ballot-plies 3] [--seed 1] [--max-plies 400]
//                [--pdn FILE] [--chat TEXT] [--init-timeout 60] [--verbose]
#include "ballots.h"
#include "match_players.h"
#include "match_score.h"

#include "atomic_file.h"
#include "cli_args.h"
#include "dxp_board.h"
#include "dxp_referee.h"
#include "dxp_report.h"
#include "think.h"

#include <cmath>
#include <iostream>

using namespace quorvin;
using namespace quorvin::match;

namespace {
double Seconds(const cli::TArgs& args, const char* name, const char* fallback) {
    const std::string text = args.Text(name, fallback);
    double value = 0.0;
    try {
        value = std::stod(text);
    } catch (const std::exception&) {
    }
    if (!(value > 0.0 && value <= 86400.0))
        throw cli::TUsageError(std::string("--") + name + " is a number of seconds above 0");
    return value;
}
} // namespace

int main(int argc, char** argv) {
    try {
        const cli::TArgs args({argv + 1, argv + argc}, {"verbose"},
                              {"engine1", "engine2", "games", "move-time", "openings",
                               "ballot-plies", "seed", "max-plies", "pdn", "chat", "init-timeout"});
        if (!args.Has("engine1") || !args.Has("engine2"))
            throw cli::TUsageError("--engine1 and --engine2 name the two engines");
        const int games = static_cast<int>(args.Integer("games", 40, 1, 100000));
        const int maxPlies = static_cast<int>(args.Integer("max-plies", 400, 1, 100000));
        TPlayerSettings settings;
        settings.MoveTime = Seconds(args, "move-time", "0.5");
        settings.InitTimeoutMs =
            static_cast<int>(std::lround(Seconds(args, "init-timeout", "60") * 1000.0));
        settings.Chat = args.Text("chat", "");
        settings.Verbose = args.Has("verbose");

        cli::UseDxpBoard();
        std::vector<TFenPosition> openings;
        if (args.Has("openings")) {
            openings = cli::ReadDxpOpenings(args.Text("openings", ""));
        } else {
            const int plies = static_cast<int>(args.Integer("ballot-plies", 3, 0, 6));
            openings = BallotOpenings(
                plies, static_cast<std::uint64_t>(args.Integer("seed", 1, 0, LLONG_MAX)));
            std::cout << openings.size() << " ballot openings of " << plies << " plies\n";
        }

        const std::unique_ptr<TMatchPlayer> first =
            MakeMatchPlayer(args.Text("engine1", ""), "engine1", settings, std::cerr);
        const std::unique_ptr<TMatchPlayer> second =
            MakeMatchPlayer(args.Text("engine2", ""), "engine2", settings, std::cerr);
        cli::TDxpGamePlayer& one = first->Player();
        cli::TDxpGamePlayer& two = second->Player();
        std::cout << games << " games at " << FixedText(settings.MoveTime, 3) << " s a move\n"
                  << std::flush;

        TMatchScore score;
        int played = 0, unfinished = 0;
        std::string pdn;
        for (int g = 1; g <= games && one.Alive() && two.Alive(); ++g) {
            TGame game(TRules::International);
            ApplyFen(openings[static_cast<std::size_t>((g - 1) / 2) % openings.size()],
                     game.CurrentPosition());
            const bool firstWhite = g % 2 == 1;
            const std::array<cli::TDxpGamePlayer*, 2> players{firstWhite ? &one : &two,
                                                              firstWhite ? &two : &one};
            const cli::TDxpGameReport r = cli::PlayDxpGame(players, game, maxPlies);
            ++played;
            const TGameResult firstWins =
                firstWhite ? TGameResult::WhiteWins : TGameResult::BlackWins;
            if (r.Result == TGameResult::Unknown)
                ++unfinished;
            else if (r.Result == TGameResult::Draw)
                ++score.Draws;
            else if (r.Result == firstWins)
                ++score.Wins;
            else
                ++score.Losses;
            std::cout << "game " << g << ": " << r.White << " - " << r.Black << " "
                      << cli::DxpResultText(r.Result) << ", " << r.Reason << ", " << r.Plies
                      << " plies\n"
                      << std::flush;
            if (args.Has("pdn")) {
                if (!pdn.empty()) pdn += "\n";
                pdn += cli::DxpPdnGame(game, r, "engine_match", g);
                WriteFileAtomically(args.Text("pdn", ""), pdn);
            }
        }

        std::cout << one.Name() << " against " << two.Name() << ": " << score.Wins << " wins, "
                  << score.Draws << " draws, " << score.Losses << " losses, " << unfinished
                  << " unfinished\n"
                  << "score " << FixedText(score.Wins + 0.5 * score.Draws, 1) << " / "
                  << score.Games() << " = " << FixedText(100.0 * score.Score(), 1) << " %\n"
                  << score.EloText() << "; the error from the trinomial variance of the games\n";
        if (played < games) {
            std::cout << "the match ended after " << played << " of " << games
                      << " games: " << (one.Alive() ? two.Name() : one.Name())
                      << " can play no more\n";
            return 1;
        }
        return 0;
    } catch (const cli::TUsageError& e) {
        std::cerr << "engine_match: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "engine_match: " << e.what() << "\n";
        return 1;
    }
}
