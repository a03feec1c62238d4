// DamExchange sessions on the loopback address: this program against itself in one process
// (the follower on a thread of its own) and in two quorvin-cli processes, a hand-driven peer
// that sends what the protocol does not allow, and peers that leave in the middle of a game.
#include "dxp_board.h"
#include "dxp_connection.h"
#include "dxp_follower.h"
#include "dxp_referee.h"
#include "hub_client.h"
#include "run_cli.h"

#include "fen.h"
#include "pdn.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

using namespace quorvin;
using namespace quorvin::cli;

namespace {
constexpr int WaitMs = 10000;

std::string Padded(const std::string& name) {
    return name + std::string(DxpNameLength - name.size(), ' ');
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// quorvin-cli's follower on a thread, listening on a free port of the loopback address.
struct TFollowerThread {
    TDxpListener Listener{TDxpAddress{"127.0.0.1", 0}};
    std::ostringstream Log; // the thread's, read once it has ended
    std::vector<TDxpGameReport> Games;
    std::thread Thread;

    TFollowerThread() {
        UseDxpBoard();
        Thread = std::thread([this] {
            std::optional<TDxpConnection> connection = Listener.Accept(WaitMs);
            if (!connection) return;
            TDxpFollowerOptions options;
            options.Name = "Follower";
            options.MoveTime = 0.01;
            RunDxpFollower(
                *connection, options,
                [this](const TGame&, const TDxpGameReport& report) { Games.push_back(report); },
                Log, false);
        });
    }
    ~TFollowerThread() { Join(); }
    void Join() {
        if (Thread.joinable()) Thread.join();
    }
    TDxpConnection Connect() {
        return TDxpConnection::Connect({"127.0.0.1", Listener.Port()}, WaitMs);
    }
};

std::string Next(TDxpConnection& connection) {
    const TDxpConnection::TReceived in = connection.Receive(WaitMs);
    EXPECT_EQ(in.Status, TDxpConnection::TStatus::Message);
    return in.Text;
}

TGame GameFrom(const char* fen) {
    TGame game(TRules::International);
    ApplyFen(ParseFen(TNotation(), fen), game.CurrentPosition());
    return game;
}
} // namespace

TEST(DxpSession, GamesEndByTheRulesWhicheverSideIsToMove) {
    TFollowerThread follower;
    TDxpConnection connection = follower.Connect();
    std::ostringstream log;
    TDxpPeer peer(connection, {"Initiator", 0.01, WaitMs, false}, log);
    TDxpLocalPlayer local("Initiator", 0.01, TDxpEngine::Classic);

    TGame opening(TRules::International);
    const TDxpGameReport stopped = PlayDxpGame({&local, &peer}, opening, 6);
    EXPECT_EQ(stopped.Result, TGameResult::Unknown);
    EXPECT_EQ(stopped.Plies, 6);
    EXPECT_EQ(stopped.Reason, "stopped after 6 plies");
    EXPECT_EQ(stopped.Black, "Follower");
    // White takes Black's last man: the loser is the follower once, this side once.
    for (const bool localWhite : {true, false}) {
        TGame game = GameFrom("W:W28:B23");
        std::array<TDxpGamePlayer*, 2> players{&local, &peer};
        if (!localWhite) std::swap(players[White], players[Black]);
        const TDxpGameReport r = PlayDxpGame(players, game, 100);
        EXPECT_EQ(r.Result, TGameResult::WhiteWins) << localWhite;
        EXPECT_EQ(r.Reason, "black has no move");
        EXPECT_EQ(r.Plies, 1);
    }
    EXPECT_TRUE(peer.Alive());
    connection.Close();
    follower.Join();

    ASSERT_EQ(follower.Games.size(), 3u);
    EXPECT_EQ(follower.Games[0].Result, TGameResult::Unknown);
    EXPECT_EQ(follower.Games[0].Reason, "Initiator ended the game");
    for (int g : {1, 2}) {
        EXPECT_EQ(follower.Games[g].Result, TGameResult::WhiteWins) << g;
        EXPECT_EQ(follower.Games[g].Reason, "black has no move") << g;
    }
    EXPECT_EQ(follower.Games[1].White, "Initiator");
    EXPECT_EQ(follower.Games[2].White, "Follower");
    EXPECT_EQ(log.str(), "");
    EXPECT_EQ(follower.Log.str(), "");
}

TEST(DxpSession, MessagesOutOfPlaceAreAnsweredAsTheProtocolAsksAndLogged) {
    TFollowerThread follower;
    TDxpConnection peer = follower.Connect();
    const std::string request = "R01" + Padded("Raw");
    const std::string follows = "A" + Padded("Follower");
    struct TCase {
        std::string Sent;
        std::vector<std::string> Answers; // a "C" stands for any chat
        std::string Logged;
    };
    const std::vector<TCase> cases = {
        {"R02" + Padded("Raw") + "Z001000A", {follows + "1"}, "version 2"},
        {request + "Z001000C", {follows + "2"}, "starting position is 'C'"},
        {request + "Z001000BWw" + std::string(48, 'e') + "z", {follows + "2"}, "crowned"},
        {"Xyz", {"C"}, "unknown message type 'X'"},
        {"B001W", {"K1"}, "take-back request answered: not supported"},
        {"M0000322800", {"C"}, "MOVE 32-28 while none was expected"},
        {follows + "0", {"C"}, "GAMEACC is not sent to a follower"},
        {request + "Z001000A", {follows + "0"}, ""},
        {"E001", {"C"}, "1 letters too many"}, // a GAMEEND that cannot be read ends nothing
        {"M0000322900", {"C", "E00"}, "MOVE 32-29 is no legal move; the game is ended"},
    };
    for (const TCase& c : cases) {
        ASSERT_TRUE(peer.Send(c.Sent));
        for (const std::string& answer : c.Answers) {
            const std::string got = Next(peer);
            if (answer == "C")
                EXPECT_EQ(got.substr(0, 1), "C") << c.Sent << " answered " << got;
            else
                EXPECT_EQ(got, answer) << c.Sent;
        }
    }
    ASSERT_TRUE(peer.Send("E00")); // the answer to the follower's GAMEEND
    ASSERT_TRUE(peer.Send("E01")); // and no further game
    follower.Join();
    for (const TCase& c : cases) EXPECT_TRUE(Has(follower.Log.str(), c.Logged)) << c.Logged;
    ASSERT_EQ(follower.Games.size(), 1u);
    EXPECT_EQ(follower.Games[0].Result, TGameResult::Unknown);
    EXPECT_EQ(follower.Games[0].Reason, "Raw played an illegal move, 32-29");
}

TEST(DxpSession, APeerThatLeavesEndsTheGameCleanly) {
    // The initiator leaves after the follower's first move.
    {
        TFollowerThread follower;
        TDxpConnection peer = follower.Connect();
        peer.Send("R01" + Padded("Leaver") + "W001000A");
        EXPECT_EQ(Next(peer), "A" + Padded("Follower") + "0");
        EXPECT_EQ(Next(peer).substr(0, 1), "M");
        peer.Close();
        follower.Join();
        ASSERT_EQ(follower.Games.size(), 1u);
        EXPECT_EQ(follower.Games[0].Result, TGameResult::Unknown);
        EXPECT_EQ(follower.Games[0].Reason, "the connection closed during the game");
        EXPECT_EQ(follower.Games[0].Plies, 1);
    }
    // The follower leaves after accepting the game.
    UseDxpBoard();
    TDxpListener listener({"127.0.0.1", 0});
    std::thread quitter([&] {
        std::optional<TDxpConnection> c = listener.Accept(WaitMs);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->Receive(WaitMs).Text.substr(0, 1), "R");
        c->Send("A" + Padded("Quitter") + "0");
    });
    TDxpConnection connection = TDxpConnection::Connect({"127.0.0.1", listener.Port()}, WaitMs);
    std::ostringstream log;
    TDxpPeer peer(connection, {"Initiator", 0.01, WaitMs, false}, log);
    TDxpLocalPlayer local("Initiator", 0.01, TDxpEngine::Classic);
    TGame game(TRules::International);
    const TDxpGameReport r = PlayDxpGame({&peer, &local}, game, 100);
    quitter.join();
    EXPECT_EQ(r.Result, TGameResult::Unknown);
    EXPECT_EQ(r.Reason, "Quitter left the game");
    EXPECT_FALSE(peer.Alive());
    EXPECT_TRUE(Has(log.str(), "Quitter closed the connection")) << log.str();
}

TEST(DxpCommand, TwoProcessesPlayTheirGamesAndWriteThemDown) {
    THubClient listener(QUORVIN_CLI_PATH,
                        {"dxp", "--listen", "127.0.0.1:0", "--move-time", "0.01"});
    const std::string listening = listener.Receive(WaitMs).value_or("");
    ASSERT_EQ(listening.rfind("listening on port ", 0), 0u) << listening;
    const std::string port = listening.substr(18);

    const std::string dir = testing::TempDir();
    const std::string openings = dir + "dxp_openings.fen", pdn = dir + "dxp_games.pdn";
    std::ofstream(openings) << "# White takes the last man\nW:W28:B23\n\nW:W31-50:B1-20\n";
    THubClient initiator(QUORVIN_CLI_PATH,
                         {"dxp", "--connect", "127.0.0.1:" + port, "--games", "3", "--move-time",
                          "0.01", "--max-plies", "10", "--openings", openings, "--pdn", pdn,
                          "--engine", "master"});
    std::string out;
    while (const std::optional<std::string> line = initiator.Receive(30000)) out += *line + "\n";
    EXPECT_EQ(initiator.Wait(WaitMs), 0) << out;
    const std::string q = "Quorvin " QUORVIN_VERSION;
    EXPECT_TRUE(
        Has(out, "game 1: " + q + " (white) - " + q + " (black) 2-0, black has no move, 1 plies\n"))
        << out;
    EXPECT_TRUE(Has(out, "game 2: " + q + " (white) - " + q + " (black) 2-0")) << out;
    EXPECT_TRUE(Has(out, "game 3: " + q + " (white) - " + q + " (black) *, stopped after 10 plies"))
        << out;
    EXPECT_TRUE(Has(out, "games 3 wins 1 draws 0 losses 1 unfinished 1\n")) << out;

    std::string followed;
    while (const std::optional<std::string> line = listener.Receive(WaitMs))
        followed += *line + "\n";
    EXPECT_EQ(listener.Wait(WaitMs), 0);
    EXPECT_TRUE(Has(followed, "game 3: ")) << followed;
    EXPECT_TRUE(Has(followed, "connection closed\n")) << followed;

    const std::vector<TPdnGameText> games = ReadPdnFile(pdn);
    ASSERT_EQ(games.size(), 3u);
    const std::vector<int> plies{1, 1, 10};
    for (std::size_t g = 0; g < games.size(); ++g) {
        const TLoadedGame loaded = LoadPdnGame(games[g]);
        EXPECT_FALSE(loaded.Error) << g;
        EXPECT_EQ(loaded.Plies, plies[g]) << g;
        EXPECT_EQ(games[g].FindTag("FEN") != nullptr, g < 2) << g;
    }
    std::remove(openings.c_str());
    std::remove(pdn.c_str());
}

TEST(DxpCommand, ArgumentsThatCannotWorkAreUsageErrors) {
    const std::pair<TArgList, std::string> cases[] = {
        {{"dxp"}, "either --listen"},
        {{"dxp", "--listen", "1", "--connect", "h:2"}, "either --listen"},
        {{"dxp", "--listen", "70000"}, "no port"},
        {{"dxp", "--listen", "1", "--games", "2"}, "belong to --connect"},
        {{"dxp", "--connect", "h:1", "--engine", "strong"}, "--engine is classic or master"},
        {{"dxp", "--connect", "h:1", "--move-time", "0"}, "--move-time"},
    };
    for (const auto& [args, says] : cases) {
        const test::TRun r = test::RunCli(args);
        EXPECT_EQ(r.Code, 2) << says;
        EXPECT_TRUE(Has(r.Err, says)) << r.Err;
    }
}
