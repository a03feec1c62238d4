// quorvin-cli hub driven as a child process through scripted sessions, as a GUI drives it:
// the handshake, a search under every level form in every variant, a node level, stop, ping
// and ponder-hit during a search, the game record's repetition, unknown and malformed lines,
// a go that cannot search, positions no game can reach, and the end of the input.
#include "hub_client.h"
#include "hub_notation.h"
#include "hub_protocol.h"

#include "game.h"
#include "master_search.h"
#include "search.h"
#include "think.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <set>
#include <thread>

using namespace quorvin;
using namespace quorvin::cli;

namespace {
// How long a test waits for an answer it expects before it fails.
constexpr int Patience = 10000;

class TSession {
  public:
    TSession() : Client(QUORVIN_CLI_PATH, {"hub"}) {}

    void Send(const std::string& line) { EXPECT_TRUE(Client.Send(line)) << line; }

    // The lines up to and including the first whose command is `word`.
    std::vector<THubLine> Until(const std::string& word, int timeoutMs = Patience) {
        std::vector<THubLine> lines;
        const long long deadline = TickCount() + timeoutMs;
        for (;;) {
            const long long left = deadline - TickCount();
            const std::optional<std::string> text = Client.Receive(static_cast<int>(left));
            if (!text) {
                ADD_FAILURE() << "no " << word << " from the engine";
                return lines;
            }
            lines.push_back(ParseHubLine(*text));
            if (lines.back().Command == word) return lines;
        }
    }

    // The handshake and the variant.
    void Start(std::string_view variant = "normal") {
        Send("hub");
        Until("wait");
        Send("set-param name=variant value=" + std::string(variant));
        Send("init");
        Until("ready");
    }

    THubClient Client;
};

// A variant's board, made the current geometry.
THubBoard BoardInUse(std::string_view variant) {
    THubBoard board(*FindHubVariant(variant));
    board.UseGeometry();
    return board;
}

// A position of a variant a few moves into the game, as the pos line that sets it and the
// game that holds it.
struct TGamePosition {
    THubBoard Board;
    TGame Game;
    std::string PosLine;

    explicit TGamePosition(std::string_view variant, int plies = 2)
        : Board(BoardInUse(variant)), Game(Board.Rules()) {
        PosLine = "pos pos=" + Board.FormatPosition(Game.CurrentPosition());
        std::string moves;
        for (int i = 0; i < plies; ++i) {
            TPosition& p = Game.CurrentPosition();
            p.ClassifyNode(false);
            // The last move of the list, so that the game leaves the usual first moves.
            const int index = p.Moves.Count;
            if (!moves.empty()) moves += ' ';
            moves += Board.MoveName(p, index);
            Game.PlayMove(index);
        }
        Game.CurrentPosition().ClassifyNode(false);
        if (!moves.empty()) PosLine += " moves=\"" + moves + "\"";
    }

    std::set<std::string> Legal() const { return LegalIn(Game.CurrentPosition()); }

    std::set<std::string> LegalIn(const TPosition& p) const {
        std::set<std::string> names;
        for (int i = 1; i <= p.Moves.Count; ++i) names.insert(Board.MoveName(p, i));
        return names;
    }

    // The legal replies to a move of the current position.
    std::set<std::string> Replies(const std::string& move) const {
        const TPosition& p = Game.CurrentPosition();
        auto next = p.NewPosition();
        next->PlayMove(p, Board.FindMove(p, move));
        next->ClassifyNode(false);
        return LegalIn(*next);
    }
};

// Checks a search's output: well-formed info lines whose lines start with a legal move, then
// done with a legal move and a legal expected reply. Answers the move.
std::string CheckSearch(const std::vector<THubLine>& lines, const TGamePosition& position,
                        const std::string& context) {
    const std::set<std::string> legal = position.Legal();
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const THubLine& info = lines[i];
        EXPECT_EQ(info.Command, "info") << context;
        for (const char* field : {"depth", "mean-depth", "score", "nodes", "time", "nps", "pv"})
            EXPECT_TRUE(info.Has(field)) << context << ": no " << field;
        const std::string pv = info.Value("pv").value_or("");
        EXPECT_TRUE(legal.count(pv.substr(0, pv.find(' ')))) << context << ": pv " << pv;
    }
    if (lines.empty() || lines.back().Command != "done") return "";
    const std::string move = lines.back().Value("move").value_or("");
    EXPECT_TRUE(legal.count(move)) << context << ": done move=" << move;
    const std::optional<std::string> ponder = lines.back().Value("ponder");
    if (ponder && legal.count(move)) {
        EXPECT_TRUE(position.Replies(move).count(*ponder))
            << context << ": ponder=" << *ponder << " after " << move;
    }
    return move;
}
} // namespace

TEST(HubEngine, HandshakeNamesTheEngineAndItsParameters) {
    TSession s;
    s.Send("hub");
    const std::vector<THubLine> lines = s.Until("wait");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0].Command, "id");
    EXPECT_EQ(lines[0].Value("name"), "Quorvin");
    EXPECT_EQ(lines[0].Value("version"), QUORVIN_VERSION);
    for (const char* field : {"version", "author", "country"})
        EXPECT_FALSE(lines[0].Value(field).value_or("").empty()) << field;
    std::map<std::string, THubLine> params;
    for (const THubLine& line : lines)
        if (line.Command == "param") params[line.Value("name").value_or("")] = line;
    ASSERT_TRUE(params.count("variant"));
    EXPECT_EQ(params["variant"].Value("type"), "enum");
    EXPECT_EQ(params["variant"].Value("value"), "normal");
    EXPECT_EQ(params["variant"].Value("values"),
              "normal brazilian canadian spanish english vorna russian pool czech italian");
    ASSERT_TRUE(params.count("disposition"));
    EXPECT_EQ(params["disposition"].Value("type"), "bool");
    EXPECT_EQ(params["disposition"].Value("value"), "false");
    // The master search answers unless the described one is asked for.
    ASSERT_TRUE(params.count("engine"));
    EXPECT_EQ(params["engine"].Value("value"), "master");
    EXPECT_EQ(params["engine"].Value("values"), "master classic");
    ASSERT_TRUE(params.count("hash"));
    EXPECT_EQ(params["hash"].Value("type"), "int");
    EXPECT_EQ(params["hash"].Value("value"), "64");
    ASSERT_TRUE(params.count("contempt"));
    EXPECT_EQ(params["contempt"].Value("type"), "int");
    EXPECT_EQ(params["contempt"].Value("value"), std::to_string(MasterContempt));

    const std::map<std::string, std::string> wanted{{"variant", "spanish"},
                                                    {"disposition", "true"},
                                                    {"engine", "classic"},
                                                    {"hash", "3"},
                                                    {"contempt", "0"}};
    for (const auto& [name, value] : wanted) s.Send("set-param name=" + name + " value=" + value);
    s.Send("init");
    const std::vector<THubLine> ready = s.Until("ready");
    EXPECT_EQ(ready.size(), 1u); // nothing but ready: every parameter was taken
    // The parameters now show their new values.
    s.Send("hub");
    for (const THubLine& line : s.Until("wait"))
        if (line.Command == "param") {
            EXPECT_EQ(line.Value("value"), wanted.at(line.Value("name").value_or("")));
        }
    // Values out of range are refused with an error line and change nothing.
    for (const char* bad : {"set-param name=engine value=fast", "set-param name=hash value=0",
                            "set-param name=hash value=big", "set-param name=contempt value=-1",
                            "set-param name=contempt value=501"}) {
        s.Send(bad);
        EXPECT_EQ(s.Until("error").size(), 1u) << bad;
    }
}

TEST(HubEngine, EveryLevelPlaysALegalMoveInEveryVariant) {
    TSession s;
    s.Start();
    for (const char* engine : {"master", "classic"})
        for (const THubVariant& variant : HubVariants) {
            s.Send("set-param name=engine value=" + std::string(engine));
            s.Send("set-param name=variant value=" + std::string(variant.Name));
            const TGamePosition position(variant.Name);
            for (const char* level :
                 {"level depth=3", "level move-time=0.03", "level time=1",
                  "level moves=20 time=1 inc=0.01", "level time=2 inc=0.02", "level infinite"}) {
                const std::string context =
                    std::string(engine) + ", " + std::string(variant.Name) + ", " + level;
                s.Send(position.PosLine);
                s.Send(level);
                s.Send("go think");
                if (std::string(level) == "level infinite") {
                    std::this_thread::sleep_for(std::chrono::milliseconds(30));
                    s.Send("stop");
                }
                const std::vector<THubLine> lines = s.Until("done");
                EXPECT_FALSE(CheckSearch(lines, position, context).empty()) << context;
                // Every level but the broken-off one gets to report an iteration.
                if (std::string(level) != "level infinite") {
                    EXPECT_GE(lines.size(), 2u) << context;
                }
            }
        }
}

TEST(HubEngine, StopEndsAnInfiniteSearchWithin50Ms) {
    TSession s;
    s.Start();
    const TGamePosition position("normal", 4);
    for (const char* mode : {"go think", "go analyze", "go ponder"}) {
        s.Send(position.PosLine);
        s.Send("level infinite");
        s.Send(mode);
        // Well into the search: its first iterations are over.
        std::vector<THubLine> lines = s.Until("info");
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        const long long sent = TickCount();
        s.Send("stop");
        const std::vector<THubLine> rest = s.Until("done");
        const long long answered = TickCount();
        EXPECT_LT(answered - sent, 50) << mode;
        lines.insert(lines.end(), rest.begin(), rest.end());
        CheckSearch(lines, position, mode);
    }
}

TEST(HubEngine, PingIsAnsweredDuringASearch) {
    TSession s;
    s.Start("canadian");
    const TGamePosition position("canadian");
    s.Send(position.PosLine);
    s.Send("level infinite");
    s.Send("go analyze");
    s.Until("info");
    for (int i = 0; i < 3; ++i) {
        s.Send("ping");
        for (const THubLine& line : s.Until("pong")) EXPECT_NE(line.Command, "done");
    }
    // The search goes on after the pongs until it is stopped.
    const long long until = TickCount() + 100;
    while (TickCount() < until) {
        const std::optional<std::string> line =
            s.Client.Receive(static_cast<int>(std::max(1LL, until - TickCount())));
        if (line) {
            EXPECT_TRUE(line->starts_with("info")) << *line;
        }
    }
    s.Send("stop");
    s.Until("done");
}

TEST(HubEngine, PonderHitStartsTheClock) {
    TSession s;
    s.Start("brazilian");
    const TGamePosition position("brazilian");
    s.Send(position.PosLine);
    s.Send("level move-time=0.05");
    s.Send("go ponder");
    // Pondering runs until the GUI says the expected move was played.
    const long long until = TickCount() + 200;
    while (TickCount() < until) {
        const std::optional<std::string> line =
            s.Client.Receive(static_cast<int>(std::max(1LL, until - TickCount())));
        if (line) {
            EXPECT_TRUE(line->starts_with("info")) << *line;
        }
    }
    const long long hit = TickCount();
    s.Send("ponder-hit");
    const std::vector<THubLine> lines = s.Until("done");
    EXPECT_LT(TickCount() - hit, 1000);
    EXPECT_FALSE(CheckSearch(lines, position, "ponder-hit").empty());
}

// The moves of the game let the engine see that a move repeats a position for the third
// time: a draw, which it takes when behind and avoids when ahead. One flying king against three
// that has not got the long diagonal (46-5) is behind: two kings against one would be a draw.
// The master shows the draw as its contempt for the four pieces it gives up playing with.
TEST(HubEngine, MovesListDetectsRepetition) {
    TSession s;
    s.Start();
    auto pos = [](char side, std::vector<int> white, std::vector<int> black) {
        std::string text(1, side);
        text += std::string(50, 'e');
        for (int q : white) text[static_cast<std::size_t>(q)] = 'W';
        for (int q : black) text[static_cast<std::size_t>(q)] = 'B';
        return text;
    };
    s.Send("level depth=3");
    for (const char* engine : {"master", "classic"}) {
        SCOPED_TRACE(engine);
        s.Send("set-param name=engine value=" + std::string(engine));

        // Black has one king against three; 9-3 brings back the first position a third time.
        s.Send("pos pos=" + pos('W', {47, 49, 50}, {3}) +
               " moves=\"47-42 3-9 42-47 9-3 47-42 3-9 42-47\"");
        s.Send("go think");
        std::vector<THubLine> lines = s.Until("done");
        EXPECT_EQ(lines.back().Value("move"), "9-3");
        ASSERT_GE(lines.size(), 2u);
        const int contempt = std::string_view(engine) == "master" ? MasterContempt : 0;
        EXPECT_EQ(lines[lines.size() - 2].Value("score"),
                  FixedText(-(contempt * 4 / 40) / 100.0, 2));

        // Without the earlier moves the same position holds no repetition.
        s.Send("pos pos=" + pos('B', {47, 49, 50}, {9}));
        s.Send("go think");
        lines = s.Until("done");
        ASSERT_GE(lines.size(), 2u);
        EXPECT_TRUE(lines[lines.size() - 2].Value("score").value_or("").starts_with("-"));

        // Three kings against one: 42-47 would repeat for the third time, so another move is made.
        s.Send("pos pos=" + pos('W', {3}, {47, 49, 50}) +
               " moves=\"3-9 47-42 9-3 42-47 3-9 47-42 9-3\"");
        s.Send("go think");
        lines = s.Until("done");
        EXPECT_NE(lines.back().Value("move"), "42-47");
        ASSERT_GE(lines.size(), 2u);
        EXPECT_FALSE(lines[lines.size() - 2].Value("score").value_or("").starts_with("-"));
    }
}

// What a script of lines must bring before the pong of the ping sent after it.
enum class TDone { None, Bare, WithMove };

TEST(HubEngine, BadLinesAnswerOneErrorUnknownOnesNoneAndEveryGoItsDone) {
    TSession s;
    s.Start();
    const TGamePosition position("normal", 0);
    const std::string initial = position.Board.FormatPosition(position.Game.CurrentPosition());
    const std::string whiteless = "W" + std::string(20, 'b') + std::string(30, 'e');
    struct TScript {
        std::vector<std::string> Lines;
        int Errors;
        TDone Done = TDone::None;
    };
    const std::vector<TScript> scripts = {
        // Commands and arguments the engine does not know are ignored.
        {{"frobnicate"}, 0},
        {{"frobnicate x=\"unclosed"}, 0},
        {{"=5"}, 0},
        {{"level"}, 0},
        {{"level mate=3"}, 0},
        {{"set-param name=colour value=white"}, 0},
        {{"set-param name=book"}, 0},
        {{"hub-extension", "new-game please", "stop", "ponder-hit"}, 0},
        {{"pos pos=" + initial + " flavour=vanilla", "level depth=1 hurry", "go think fast"},
         0,
         TDone::WithMove},
        {{"go"}, 0, TDone::WithMove}, // the last position, thought about
        {{"go sideways"}, 0, TDone::WithMove},
        // Lines the engine cannot take: one error each.
        {{"pos"}, 1},
        {{"pos pos=W"}, 1},
        {{"pos pos=X" + initial.substr(1)}, 1},
        {{"pos pos=" + initial.substr(0, 30) + "z" + initial.substr(31)}, 1},
        {{"pos pos=\"" + initial}, 1},
        {{"pos pos=" + initial + " moves=\"32-28 32-28\""}, 1},
        {{"pos pos=" + initial + " moves=\"32-28 hello\""}, 1},
        {{"pos pos=" + initial + " moves=\"32-28 19x28x23\""}, 1},
        {{"pos pos=" + whiteless + " moves=\"32-28\""}, 1},
        {{"pos pos=" + initial + " moves=\"32-28 32-28\"", "level depth=2"}, 1}, // and no go
        {{"pos pos=X", "level depth=1"}, 1},
        {{"level depth=0"}, 1},
        {{"level move-time=abc"}, 1},
        {{"level time=10 moves=-3"}, 1},
        {{"level nodes=many"}, 1},
        {{"set-param name=variant value=chess"}, 1},
        {{"set-param name=disposition value=maybe"}, 1},
        {{"set-param name=variant"}, 1},
        {{"set-param value=normal"}, 1},
        // A go that cannot search still ends with its done.
        {{"go think"}, 1, TDone::Bare}, // the bad pos before left no position
        {{"pos pos=X", "go think"}, 2, TDone::Bare},
        {{"pos pos=" + whiteless, "go think"}, 1, TDone::Bare},
        {{"pos pos=" + initial, "go think x=\"unclosed"}, 1, TDone::Bare},
        {{"pos pos=" + whiteless + " moves=\"32-28\"", "go ponder"}, 2, TDone::Bare},
    };
    for (const TScript& script : scripts) {
        const std::string context = script.Lines.front();
        for (const std::string& line : script.Lines) s.Send(line);
        // A search answers a ping at once, so the done is awaited first.
        std::vector<THubLine> answers;
        if (script.Done != TDone::None) answers = s.Until("done");
        if (script.Done == TDone::WithMove) {
            EXPECT_FALSE(CheckSearch(answers, position, context).empty()) << context;
        }
        s.Send("ping");
        const std::vector<THubLine> rest = s.Until("pong");
        answers.insert(answers.end(), rest.begin(), rest.end());
        int errors = 0, dones = 0;
        for (const THubLine& a : answers) {
            if (a.Command == "error") {
                ++errors;
                EXPECT_FALSE(a.Value("message").value_or("").empty()) << context;
            } else if (a.Command == "done") {
                ++dones;
                EXPECT_EQ(a.Has("move"), script.Done == TDone::WithMove) << context;
            } else if (a.Command != "info") {
                EXPECT_EQ(a.Command, "pong") << context;
            }
        }
        EXPECT_EQ(errors, script.Errors) << context;
        EXPECT_EQ(dones, script.Done == TDone::None ? 0 : 1) << context;
    }
    // Still a working engine.
    s.Send(position.PosLine);
    s.Send("level depth=2");
    s.Send("go think");
    EXPECT_FALSE(CheckSearch(s.Until("done"), position, "after the errors").empty());
}

// A position of the variant: its initial one, changed by edit on the board's own squares.
std::string PositionOf(std::string_view variant, const std::function<void(TPosition&)>& edit) {
    const THubBoard board = BoardInUse(variant);
    TGame game(board.Rules());
    TPosition& p = game.CurrentPosition();
    edit(p);
    return board.FormatPosition(p);
}

// The first square of a row the side crowns on, and the first empty one that is on no such
// row, on the current board.
int CrowningSquare(int side) {
    for (int s = 1; s <= SquareCount; ++s)
        if (PromotionRow[s][side]) return s;
    return 0;
}
int EmptyMiddleSquare(const TPosition& p) {
    for (int s = 1; s <= SquareCount; ++s)
        if (p.At(s).Empty && !PromotionRow[s][White] && !PromotionRow[s][Black]) return s;
    return 0;
}

TEST(HubEngine, PositionsNoGameCanReachAreRefused) {
    auto clear = [](TPosition& p) {
        for (int s = 1; s <= SquareCount; ++s) p.Put(s, EmptySquare);
    };
    // A man on its crowning row, beside a piece of the other side.
    auto crowned = [&](int side) {
        return [&, side](TPosition& p) {
            clear(p);
            p.Put(CrowningSquare(side), side == White ? WhiteMan : BlackMan);
            p.Put(EmptyMiddleSquare(p), side == White ? BlackMan : WhiteMan);
        };
    };
    auto extra = [](TSquare piece) {
        return [piece](TPosition& p) { p.Put(EmptyMiddleSquare(p), piece); };
    };
    // Black's men turned white: more than White starts with, as many pieces as at the start.
    auto turned = [](TPosition& p) {
        for (int s = 1, n = 0; s <= SquareCount && n < 3; ++s)
            if (!p.At(s).Empty && p.At(s).Side == Black) {
                p.Put(s, WhiteMan);
                ++n;
            }
    };
    auto kingsOnTheirRows = [&](TPosition& p) {
        clear(p);
        p.Put(CrowningSquare(White), WhiteKing);
        p.Put(CrowningSquare(Black), BlackKing);
    };
    struct TCase {
        std::string_view Variant;
        std::function<void(TPosition&)> Edit;
        bool Refused;
    };
    const std::vector<TCase> cases = {
        {"normal", crowned(White), true},
        {"normal", crowned(Black), true},
        {"normal", extra(WhiteMan), true},
        {"normal", extra(BlackKing), true},
        {"normal", kingsOnTheirRows, false},
        {"normal", [](TPosition&) {}, false},
        {"brazilian", crowned(Black), true},
        {"brazilian", extra(WhiteKing), true},
        {"canadian", crowned(White), true},
        {"canadian", extra(BlackMan), true},
        {"spanish", crowned(White), true},
        {"english", crowned(Black), true},
        {"english", extra(WhiteMan), true},
        {"english", turned, true},
        // Men of Vorna are never crowned, and taken pieces change sides.
        {"vorna", crowned(White), false},
        {"vorna", turned, false},
        {"vorna", extra(BlackMan), true},
    };
    TSession s;
    s.Start();
    for (const TCase& c : cases) {
        s.Send("set-param name=variant value=" + std::string(c.Variant));
        const std::string pos = PositionOf(c.Variant, c.Edit);
        s.Send("pos pos=" + pos);
        s.Send("ping");
        const std::vector<THubLine> answers = s.Until("pong");
        ASSERT_EQ(answers.size(), c.Refused ? 2u : 1u) << c.Variant << " " << pos;
        if (c.Refused) {
            EXPECT_EQ(answers[0].Command, "error");
            EXPECT_FALSE(answers[0].Value("message").value_or("").empty());
        }
    }
}

TEST(HubEngine, NodeLevelLimitsTheSearch) {
    TSession s;
    s.Start();
    const TGamePosition position("normal", 4);
    for (const long long limit : {3000LL, 100000LL}) {
        const std::string context = "nodes=" + std::to_string(limit);
        s.Send(position.PosLine);
        s.Send("level " + context);
        s.Send("go think");
        const std::vector<THubLine> lines = s.Until("done");
        EXPECT_FALSE(CheckSearch(lines, position, context).empty());
        ASSERT_GE(lines.size(), 2u) << context;
        long long nodes = 0;
        for (const THubLine& info : lines)
            if (info.Command == "info") {
                nodes = std::stoll(info.Value("nodes").value_or("0"));
                // The search notices the limit every PumpInterval positions.
                EXPECT_LE(nodes, limit + PumpInterval) << context;
            }
        // It stops early only when the next iteration would go beyond the limit.
        if (limit >= 100000) {
            EXPECT_GE(nodes, limit / 8) << context;
        }
    }
}

TEST(HubEngine, EndOfInputEndsTheProcess) {
    {
        TSession s;
        s.Start();
        s.Client.CloseInput();
        EXPECT_EQ(s.Client.Wait(2000), 0);
    }
    {
        // Also in the middle of a search, which is given up.
        TSession s;
        s.Start();
        const TGamePosition position("normal");
        s.Send(position.PosLine);
        s.Send("level infinite");
        s.Send("go think");
        s.Until("info");
        const long long closed = TickCount();
        s.Client.CloseInput();
        EXPECT_EQ(s.Client.Wait(2000), 0);
        EXPECT_LT(TickCount() - closed, 1000);
    }
    {
        TSession s;
        s.Start();
        s.Send("quit");
        EXPECT_EQ(s.Client.Wait(2000), 0);
    }
}
