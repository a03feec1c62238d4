// `quorvin-cli dxp`: International draughts against another program over DamExchange.
//
//   dxp --listen [HOST:]PORT [--move-time S] [--pdn FILE]
//       waits for one initiator and plays the games it asks for, as the follower, until it
//       closes the connection or asks for no further game;
//   dxp --connect HOST:PORT --games N --move-time S [--openings FILE] [--pdn FILE]
//       plays N games as the initiator, this program taking White in the odd games; with
//       --openings, game 2k - 1 and game 2k start from line k of the file (a FEN a line, the
//       file read again from its start when it runs out), so every opening is played with
//       both colours.
//
// Both take --engine classic|master (the search that plays), --verbose (every message on
// standard error) and --pdn (the games so far, rewritten after each one). The connecting
// side referees its games: it ends them by the rules, and after --max-plies plies. Messages
// out of place are logged on standard error and answered as the protocol asks.
#include "atomic_file.h"
#include "cli_args.h"
#include "commands.h"
#include "dxp_board.h"
#include "dxp_connection.h"
#include "dxp_follower.h"
#include "dxp_referee.h"
#include "dxp_report.h"
#include "mathematics.h"

#include "fen.h"

namespace quorvin::cli {

namespace {
constexpr const char* ProgramName = "Quorvin " QUORVIN_VERSION;
constexpr int ConnectMs = 10000;

double MoveTimeOption(const TArgs& args, const char* fallback) {
    const std::string text = args.Text("move-time", fallback);
    double seconds = 0.0;
    try {
        seconds = std::stod(text);
    } catch (const std::exception&) {
    }
    if (!(seconds > 0.0 && seconds <= 3600.0))
        throw TUsageError("--move-time is a number of seconds above 0, not \"" + text + "\"");
    return seconds;
}

TDxpEngine EngineOption(const TArgs& args) {
    const std::string name = args.Text("engine", "classic");
    const std::optional<TDxpEngine> engine = FindDxpEngine(name);
    if (!engine) throw TUsageError("--engine is classic or master, not \"" + name + "\"");
    return *engine;
}

TDxpAddress AddressOption(const TArgs& args, const char* name) {
    try {
        return ParseDxpAddress(args.Text(name, ""));
    } catch (const TDxpSocketError& e) {
        throw TUsageError(std::string("--") + name + ": " + e.what());
    }
}

// Keeps the games played and writes them after each one.
class TGameLog {
  public:
    TGameLog(const TArgs& args, std::ostream& out) : Out(out), FileName(args.Text("pdn", "")) {}

    void Add(const TGame& game, const TDxpGameReport& report) {
        ++Round;
        Out << "game " << Round << ": " << report.White << " (white) - " << report.Black
            << " (black) " << DxpResultText(report.Result) << ", " << report.Reason << ", "
            << report.Plies << " plies\n"
            << std::flush;
        if (FileName.empty()) return;
        if (!Pdn.empty()) Pdn += "\n";
        Pdn += DxpPdnGame(game, report, "quorvin-cli dxp", Round);
        WriteFileAtomically(FileName, Pdn);
    }

  private:
    std::ostream& Out;
    std::string FileName;
    std::string Pdn;
    int Round = 0;
};

int Listen(const TArgs& args, std::ostream& out, std::ostream& err) {
    TDxpFollowerOptions options;
    options.Name = ProgramName;
    if (args.Has("move-time")) options.MoveTime = MoveTimeOption(args, "1");
    options.Engine = EngineOption(args);
    TDxpListener listener(AddressOption(args, "listen"));
    out << "listening on port " << listener.Port() << "\n" << std::flush;
    std::optional<TDxpConnection> connection = listener.Accept(-1);
    TGameLog log(args, out);
    RunDxpFollower(
        *connection, options,
        [&](const TGame& game, const TDxpGameReport& report) { log.Add(game, report); }, err,
        args.Has("verbose"));
    out << "connection closed\n";
    return 0;
}

int Connect(const TArgs& args, std::ostream& out, std::ostream& err) {
    const double moveTime = MoveTimeOption(args, "1");
    const TDxpEngine engine = EngineOption(args);
    const int games = static_cast<int>(args.Integer("games", 1, 1, 100000));
    const int maxPlies = static_cast<int>(args.Integer("max-plies", 400, 1, 100000));
    std::vector<TFenPosition> openings;
    if (args.Has("openings")) openings = ReadDxpOpenings(args.Text("openings", ""));

    TDxpConnection connection = TDxpConnection::Connect(AddressOption(args, "connect"), ConnectMs);
    TDxpPeerOptions options;
    options.Name = ProgramName;
    options.MoveTime = moveTime;
    options.Verbose = args.Has("verbose");
    TDxpPeer peer(connection, options, err);
    TDxpLocalPlayer local(ProgramName, moveTime, engine);
    TGameLog log(args, out);

    int played = 0, wins = 0, draws = 0, losses = 0, unfinished = 0;
    for (int g = 1; g <= games && peer.Alive(); ++g) {
        TGame game(TRules::International);
        if (!openings.empty())
            ApplyFen(openings[static_cast<std::size_t>((g - 1) / 2) % openings.size()],
                     game.CurrentPosition());
        const int ours = g % 2 == 1 ? White : Black;
        std::array<TDxpGamePlayer*, 2> players{&local, &peer};
        if (ours == Black) std::swap(players[White], players[Black]);
        const TDxpGameReport report = PlayDxpGame(players, game, maxPlies);
        log.Add(game, report);
        ++played;
        const TGameResult ourWin = ours == White ? TGameResult::WhiteWins : TGameResult::BlackWins;
        if (report.Result == TGameResult::Unknown)
            ++unfinished;
        else if (report.Result == TGameResult::Draw)
            ++draws;
        else if (report.Result == ourWin)
            ++wins;
        else
            ++losses;
    }
    out << "games " << played << " wins " << wins << " draws " << draws << " losses " << losses
        << " unfinished " << unfinished << "\n";
    if (played < games) {
        err << "quorvin-cli dxp: " << peer.Name() << " left after " << played << " of " << games
            << " games\n";
        return 1;
    }
    return 0;
}
} // namespace

int DxpCommand(const TArgList& list, std::ostream& out, std::ostream& err) {
    const TArgs args(
        list, {"verbose"},
        {"listen", "connect", "games", "move-time", "openings", "pdn", "engine", "max-plies"});
    if (args.Has("listen") == args.Has("connect"))
        throw TUsageError("give either --listen [HOST:]PORT or --connect HOST:PORT");
    if (args.Has("listen") && (args.Has("games") || args.Has("openings") || args.Has("max-plies")))
        throw TUsageError("--games, --openings and --max-plies belong to --connect");
    UseDxpBoard();
    SeedRandomFromClock();
    return args.Has("listen") ? Listen(args, out, err) : Connect(args, out, err);
}

} // namespace quorvin::cli
