// hub_match: a match between two Hub engines (by default two quorvin-cli hub processes) on
// one variant, colours alternating from game to game, every game played to its end by the
// rules: a side without a move has lost, the game record's draw rules end it as a draw, and
// a game that reaches the ply cap is stopped and reported as such. Any protocol error ends
// the match with exit code 1. An engine may take --init-timeout seconds between init and
// ready, as engines that load large tables do.
//
// --param NAME=VALUE (engine A) and --param2 NAME=VALUE (engine B) set Hub parameters, as
// many as are given joined by commas ("engine=master,hash=32"). --openings names a file of
// starting positions, one FEN a line in the variant's notation: each is played twice, with
// colours reversed, and the match has two games per opening unless --games says otherwise
// (the openings are then taken in turn).
//
//   hub_match [--engine PATH] [--engine2 PATH] [--variant normal] [--games 20]
//             [--move-time 0.1] [--max-plies 400] [--init-timeout 60] [--pdn FILE]
//             [--param N=V,...] [--param2 N=V,...] [--openings FILE] [--verbose]
#include "match_engine.h"

#include "atomic_file.h"
#include "cli_args.h"
#include "fen.h"
#include "pdn.h"
#include "referee.h"
#include "think.h"

#include <array>
#include <cmath>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

using namespace quorvin;
using namespace quorvin::match;

namespace {

struct TGameReport {
    std::string Result; // "1-0", "0-1", "1/2-1/2"
    std::string Reason; // how it ended
    int Winner = -1;    // the engine that won (0 or 1), -1 for none
    int Plies = 0;
    long long Ms = 0;
    long long LongestMoveMs = 0;
    int Infos = 0;
};

std::string Reason(const TOutcome& outcome) {
    if (outcome.Kind == TOutcomeKind::Lost)
        return outcome.Loser == White ? "white has no move" : "black has no move";
    switch (outcome.Rule) {
    case TDrawRule::Repetition:
        return "draw by threefold repetition";
    case TDrawRule::QuietMoves:
        return "draw by quiet king moves";
    case TDrawRule::ThreeKings:
        return "draw by three kings against one";
    case TDrawRule::None:
        break;
    }
    return "?";
}

// Plays one game; engines[side] plays that side. Throws TProtocolError.
TGameReport PlayGame(std::array<TMatchEngine*, 2> engines, std::array<int, 2> engineOf,
                     const cli::THubBoard& board, double moveTime, int maxPlies, bool verbose,
                     TGame& game) {
    TGameReport report;
    const long long start = TickCount();
    const std::string initial = board.FormatPosition(game.CurrentPosition());
    std::string moves;
    for (TMatchEngine* e : engines) e->NewGame();
    for (;;) {
        const TOutcome outcome = JudgeCurrentPosition(game);
        if (outcome.Kind != TOutcomeKind::Playing) {
            report.Reason = Reason(outcome);
            if (outcome.Kind == TOutcomeKind::Lost) {
                const int winner = Opponent[outcome.Loser];
                report.Winner = engineOf[winner];
                report.Result = winner == White ? "1-0" : "0-1";
            } else {
                report.Result = "1/2-1/2";
            }
            break;
        }
        if (report.Plies >= maxPlies) {
            report.Reason = "stopped at the ply cap";
            report.Result.assign(1, '*'); // not = "*": GCC 12 warns wrongly about it
            break;
        }
        const TPosition& p = game.CurrentPosition();
        TMatchEngine& engine = *engines[p.SideToMove];
        const TEngineMove move = engine.Play(board, initial, moves, game, moveTime);
        const std::string name = board.MoveName(p, move.Index);
        if (verbose)
            std::cout << "  " << report.Plies + 1 << ". " << engine.Name() << " " << name << " ("
                      << move.Ms << " ms, " << move.Infos << " info)\n";
        if (!moves.empty()) moves += ' ';
        moves += name;
        report.LongestMoveMs = std::max(report.LongestMoveMs, move.Ms);
        report.Infos += move.Infos;
        game.PlayMove(move.Index);
        ++report.Plies;
    }
    report.Ms = TickCount() - start;
    return report;
}

// "name=value,name=value" as a list of parameters.
TMatchEngine::TParams ParseParams(const std::string& text) {
    TMatchEngine::TParams params;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) {
        const std::size_t eq = item.find('=');
        if (eq == std::string::npos || eq == 0 || eq + 1 == item.size())
            throw cli::TUsageError("a parameter is NAME=VALUE, not \"" + item + "\"");
        params.emplace_back(item.substr(0, eq), item.substr(eq + 1));
    }
    return params;
}

// The FEN lines of an openings file; blank lines and lines starting with # are skipped.
std::vector<std::string> ReadOpenings(const std::string& file) {
    std::ifstream in(file);
    if (!in) throw cli::TUsageError("cannot read the openings file " + file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    }
    if (lines.empty()) throw cli::TUsageError("the openings file " + file + " holds no position");
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const cli::TArgs args({argv + 1, argv + argc}, {"verbose"},
                              {"engine", "engine2", "variant", "games", "move-time", "max-plies",
                               "init-timeout", "pdn", "param", "param2", "openings"});
        const std::string program = args.Text("engine", QUORVIN_CLI_PATH);
        const std::string program2 = args.Text("engine2", program);
        const std::string variant = args.Text("variant", "normal");
        const std::vector<std::string> openings = args.Has("openings")
                                                      ? ReadOpenings(args.Text("openings", ""))
                                                      : std::vector<std::string>{};
        const int games = static_cast<int>(args.Integer(
            "games", openings.empty() ? 20 : 2 * static_cast<long long>(openings.size()), 1,
            100000));
        const int maxPlies = static_cast<int>(args.Integer("max-plies", 400, 1, 100000));
        const double moveTime = std::stod(args.Text("move-time", "0.1"));
        if (!(moveTime > 0.0 && moveTime <= 3600.0))
            throw cli::TUsageError("--move-time is a number of seconds above 0");
        const double initTimeout = std::stod(args.Text("init-timeout", "60"));
        if (!(initTimeout > 0.0 && initTimeout <= 86400.0))
            throw cli::TUsageError("--init-timeout is a number of seconds above 0");
        const int initTimeoutMs = static_cast<int>(std::lround(initTimeout * 1000.0));
        const std::optional<TPreset> preset = cli::FindHubVariant(variant);
        if (!preset) throw cli::TUsageError("unknown variant \"" + variant + "\"");
        const cli::THubBoard board(*preset);
        board.UseGeometry();
        const TNotation notation = TNotation::ForPreset(*preset);

        TMatchEngine a("A", program, variant, initTimeoutMs, ParseParams(args.Text("param", "")));
        TMatchEngine b("B", program2, variant, initTimeoutMs, ParseParams(args.Text("param2", "")));
        std::cout << "A: " << a.Id() << "\nB: " << b.Id() << "\n"
                  << games << " games of " << variant << " at " << FixedText(moveTime, 3)
                  << " s a move, ply cap " << maxPlies << "\n"
                  << std::flush;

        const long long start = TickCount();
        std::array<int, 2> wins{};
        int draws = 0, capped = 0;
        std::map<std::string, int> reasons;
        long long longestMove = 0;
        std::string pdn;
        for (int g = 1; g <= games; ++g) {
            // A has White in the odd games.
            const bool aWhite = g % 2 == 1;
            std::array<TMatchEngine*, 2> engines{aWhite ? &a : &b, aWhite ? &b : &a};
            const std::array<int, 2> engineOf{aWhite ? 0 : 1, aWhite ? 1 : 0};
            TGame game(board.Rules());
            if (!openings.empty()) {
                // Games 2k - 1 and 2k start from opening k, with the colours reversed.
                const std::string& fen =
                    openings[static_cast<std::size_t>((g - 1) / 2) % openings.size()];
                ApplyFen(ParseFen(notation, fen), game.CurrentPosition());
            }
            const TGameReport r =
                PlayGame(engines, engineOf, board, moveTime, maxPlies, args.Has("verbose"), game);
            if (r.Winner >= 0)
                ++wins[static_cast<std::size_t>(r.Winner)];
            else if (r.Result == "*")
                ++capped;
            else
                ++draws;
            ++reasons[r.Reason];
            longestMove = std::max(longestMove, r.LongestMoveMs);
            std::cout << "game " << g << ": " << engines[White]->Name() << " (white) - "
                      << engines[Black]->Name() << " (black) " << r.Result << ", " << r.Reason
                      << ", " << r.Plies << " plies, " << FixedText(r.Ms / 1000.0, 1)
                      << " s, longest move " << r.LongestMoveMs << " ms, " << r.Infos
                      << " info lines\n"
                      << std::flush;
            if (args.Has("pdn")) {
                TPdnHeader header;
                header.Event = "hub_match";
                header.Round = std::to_string(g);
                header.White = engines[White]->Name();
                header.Black = engines[Black]->Name();
                header.Result = r.Result == "1-0"   ? TGameResult::WhiteWins
                                : r.Result == "0-1" ? TGameResult::BlackWins
                                : r.Result == "*"   ? TGameResult::Unknown
                                                    : TGameResult::Draw;
                if (!pdn.empty()) pdn += "\n";
                pdn += FormatPdnGame(game, notation, header, true);
            }
        }
        a.Ping();
        b.Ping();
        const int aExit = a.Quit(), bExit = b.Quit();

        std::cout << "result: A " << wins[0] << " wins, B " << wins[1] << " wins, " << draws
                  << " draws, " << capped << " stopped at the ply cap\n";
        for (const auto& [reason, count] : reasons)
            std::cout << "  " << reason << ": " << count << "\n";
        std::cout << "protocol errors: 0; longest move " << longestMove << " ms; engines quit with "
                  << aExit << " and " << bExit << "; total time "
                  << FixedText((TickCount() - start) / 1000.0, 1) << " s\n";
        if (args.Has("pdn")) WriteFileAtomically(args.Text("pdn", ""), pdn);
        return aExit == 0 && bExit == 0 ? 0 : 1;
    } catch (const cli::TUsageError& e) {
        std::cerr << "hub_match: " << e.what() << "\n";
        return 2;
    } catch (const TProtocolError& e) {
        std::cout << "protocol error: " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "hub_match: " << e.what() << "\n";
        return 1;
    }
}
