// The engines of a match; see match_players.h.
#include "match_players.h"

#include "match_engine.h"

#include "cli_args.h"
#include "dxp_player.h"
#include "hub_notation.h"
#include "hub_protocol.h"

namespace quorvin::match {

namespace {
constexpr int ConnectMs = 10000;
constexpr int ReplyMs = 30000;

// A Hub engine: every move is asked for with the game's first position and the moves since,
// so that the engine sees the game's repetitions.
class THubPlayer final : public TMatchPlayer, public cli::TDxpGamePlayer {
  public:
    THubPlayer(const std::string& label, const std::string& program,
               const TPlayerSettings& settings)
        : Board(*FindPreset("international")),
          Engine(label, program, "normal", settings.InitTimeoutMs), MoveTime(settings.MoveTime) {
        const cli::THubLine id = cli::ParseHubLine(Engine.Id());
        EngineName = id.Value("name").value_or(label);
        if (const std::optional<std::string> version = id.Value("version"))
            EngineName += " " + *version;
    }
    ~THubPlayer() override {
        if (Live) Engine.Quit();
    }

    cli::TDxpGamePlayer& Player() override { return *this; }
    std::string Name() const override { return EngineName; }
    bool Start(const TGame& game, int, std::string& note) override {
        Initial = Board.FormatPosition(game.CurrentPosition());
        Moves.clear();
        try {
            Engine.NewGame();
            return true;
        } catch (const TProtocolError& e) {
            Live = false;
            note = e.what();
            return false;
        }
    }
    cli::TDxpTurn Play(TGame& game) override {
        cli::TDxpTurn turn;
        try {
            turn.Index = Engine.Play(Board, Initial, Moves, game, MoveTime).Index;
        } catch (const TProtocolError& e) {
            Live = false;
            turn.Kind = cli::TDxpTurn::TKind::Gone;
            turn.Note = e.what();
        }
        return turn;
    }
    void Played(const TPosition& before, int index, long long, bool) override {
        if (!Moves.empty()) Moves += ' ';
        Moves += Board.MoveName(before, index);
    }
    void Finish(const TGame&, TGameResult) override {}
    bool Alive() const override { return Live; }

  private:
    cli::THubBoard Board;
    TMatchEngine Engine;
    double MoveTime;
    std::string EngineName;
    std::string Initial, Moves;
    bool Live = true;
};

// A DamExchange follower, this tool being the initiator.
class TDxpPlayer final : public TMatchPlayer {
  public:
    TDxpPlayer(const std::string& address, const TPlayerSettings& settings, std::ostream& log)
        : Connection(cli::TDxpConnection::Connect(Address(address), ConnectMs)),
          Peer(Connection, {"engine_match", settings.MoveTime, ReplyMs, settings.Verbose}, log) {
        if (!settings.Chat.empty())
            Connection.Send(cli::FormatDxpMessage(cli::TDxpChat{settings.Chat}));
    }
    cli::TDxpGamePlayer& Player() override { return Peer; }

  private:
    cli::TDxpConnection Connection;
    cli::TDxpPeer Peer;

    static cli::TDxpAddress Address(const std::string& text) {
        try {
            return cli::ParseDxpAddress(text);
        } catch (const cli::TDxpSocketError& e) {
            throw cli::TUsageError(std::string("dxp:") + text + ": " + e.what());
        }
    }
};

// This program's search.
class TSelfPlayer final : public TMatchPlayer {
  public:
    TSelfPlayer(const std::string& engineName, cli::TDxpEngine engine,
                const TPlayerSettings& settings)
        : Local("Quorvin " QUORVIN_VERSION " (" + engineName + ")", settings.MoveTime, engine) {}
    cli::TDxpGamePlayer& Player() override { return Local; }

  private:
    cli::TDxpLocalPlayer Local;
};
} // namespace

std::unique_ptr<TMatchPlayer> MakeMatchPlayer(const std::string& spec, const std::string& label,
                                              const TPlayerSettings& settings, std::ostream& log) {
    if (spec.rfind("hub:", 0) == 0 && spec.size() > 4)
        return std::make_unique<THubPlayer>(label, spec.substr(4), settings);
    if (spec.rfind("dxp:", 0) == 0)
        return std::make_unique<TDxpPlayer>(spec.substr(4), settings, log);
    if (spec == "quorvin" || spec.rfind("quorvin:", 0) == 0) {
        const std::string name = spec == "quorvin" ? "classic" : spec.substr(8);
        const std::optional<cli::TDxpEngine> engine = cli::FindDxpEngine(name);
        if (!engine) throw cli::TUsageError("\"" + spec + "\": the engine is classic or master");
        return std::make_unique<TSelfPlayer>(name, *engine, settings);
    }
    throw cli::TUsageError("\"" + spec +
                           "\" names no engine: hub:PROGRAM, dxp:HOST:PORT or quorvin[:ENGINE]");
}

} // namespace quorvin::match
