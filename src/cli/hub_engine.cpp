// The Hub engine's commands; see hub_engine.h.
#include "hub_engine.h"

#include "hub_channel.h"
#include "hub_level.h"
#include "hub_master.h"
#include "hub_notation.h"
#include "hub_protocol.h"
#include "hub_search.h"

#include "fen.h"
#include "think.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>

namespace quorvin::cli {

namespace {
constexpr const char* EngineName = "Quorvin";
constexpr const char* EngineAuthor = "The Quorvin developers";
constexpr const char* EngineCountry = "unknown";
// The master's table may be set from 1 MiB to this size.
constexpr std::size_t MaxHashMiB = 4096;

// A parameter's whole number from min to max.
std::size_t WholeParam(const std::string& name, const std::string& value, std::size_t min,
                       std::size_t max) {
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (value.empty() || error != std::errc{} || end != value.data() + value.size() || n < min ||
        n > max)
        throw THubError(name + " is a whole number from " + std::to_string(min) + " to " +
                        std::to_string(max) + ", not '" + value + "'");
    return n;
}

// Hub scores are in men for the side to move. A forced result is written the way Hub
// engines write it, 100 less a hundredth per ply to the end of the game, so that a GUI can
// tell it from any material count.
std::string HubScore(double score) {
    if (IsForced(score)) {
        const double plies = std::round(-LossScore - std::abs(score));
        const double value = 100.0 - plies / 100.0;
        return FixedText(score > 0 ? value : -value, 2);
    }
    return FixedText(score, 2);
}

// Time in seconds and speed in millions of positions per second, as the protocol has them.
std::string InfoLine(const THubIteration& it) {
    std::string pv;
    for (const std::string& move : it.Pv) {
        if (!pv.empty()) pv += ' ';
        pv += move;
    }
    const double seconds = static_cast<double>(it.Ms) / 1000.0;
    const double mnps = it.Ms > 0 ? static_cast<double>(it.Nodes) / seconds / 1e6 : 0.0;
    return FormatHubLine("info", {{"depth", std::to_string(it.Depth)},
                                  {"mean-depth", FixedText(it.MeanDepth, 1)},
                                  {"score", HubScore(it.Score)},
                                  {"nodes", std::to_string(it.Nodes)},
                                  {"time", FixedText(seconds, 3)},
                                  {"nps", FixedText(mnps, 2)},
                                  {"pv", pv}});
}

std::string VariantNameOf(const TPreset& preset) {
    for (const THubVariant& v : HubVariants)
        if (v.Preset == preset.Name) return std::string(v.Name);
    return std::string(preset.Name);
}

// Ends the output's search mode however the search ends.
class TSearchMode {
  public:
    TSearchMode(THubOutput& output, THubSignals& signals) : Output(output) {
        Output.BeginSearch(signals);
    }
    ~TSearchMode() { Output.EndSearch(); }
    TSearchMode(const TSearchMode&) = delete;
    TSearchMode& operator=(const TSearchMode&) = delete;

  private:
    THubOutput& Output;
};

// The process's own conversation.
class TChannelOutput final : public THubOutput {
  public:
    explicit TChannelOutput(THubChannel& channel) : Channel(channel) {}
    void Write(const std::string& line) override { Channel.Write(line); }
    void BeginSearch(THubSignals& signals) override { Channel.BeginSearch(signals); }
    void EndSearch() override { Channel.EndSearch(); }

  private:
    THubChannel& Channel;
};

// The commands this engine knows, and those of them whose arguments it reads; any other
// line is ignored, and the arguments of the others are not even looked at.
constexpr std::array<std::string_view, 11> KnownCommands{
    "hub",  "init",      "ping", "stop",  "ponder-hit", "new-game",
    "quit", "set-param", "pos",  "level", "go"};
constexpr std::array<std::string_view, 4> CommandsWithArguments{"set-param", "pos", "level", "go"};

template <std::size_t N>
bool Among(const std::array<std::string_view, N>& words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}
} // namespace

THubSession::THubSession(THubOutput& output) : Output(output), Board(*FindPreset("international")) {
    Board.UseGeometry();
}

bool THubSession::Handle(std::string_view text) {
    const std::string_view word = HubCommandWord(text);
    if (!Among(KnownCommands, word)) return true;
    try {
        return Dispatch(word, Among(CommandsWithArguments, word) ? ParseHubLine(text)
                                                                 : THubLine{std::string(word), {}});
    } catch (const THubError& e) {
        Output.Write(FormatHubLine("error", {{"message", e.what()}}));
        // A GUI waits for the done of its go whatever went wrong.
        if (word == "go") Output.Write("done");
    }
    return true;
}

bool THubSession::Dispatch(std::string_view word, const THubLine& line) {
    if (word == "hub") {
        Hello();
    } else if (word == "set-param") {
        SetParam(line);
    } else if (word == "init") {
        Board.UseGeometry();
        Output.Write("ready");
    } else if (word == "pos") {
        Pos(line);
    } else if (word == "level") {
        // A level of a form this engine does not know leaves the last one in force.
        if (const std::optional<THubLevel> level = ParseHubLevel(line)) Level = *level;
    } else if (word == "go") {
        Go(line);
    } else if (word == "new-game") {
        if (MasterSearch) MasterSearch->Clear();
    } else if (word == "ping") {
        Output.Write("pong");
    } else if (word == "quit") {
        return false;
    }
    // Stop and ponder-hit mean nothing without a search.
    return true;
}

void THubSession::Hello() {
    Output.Write(FormatHubLine("id", {{"name", EngineName},
                                      {"version", QUORVIN_VERSION},
                                      {"author", EngineAuthor},
                                      {"country", EngineCountry}}));
    std::string names;
    for (const THubVariant& v : HubVariants) {
        if (!names.empty()) names += ' ';
        names += v.Name;
    }
    Output.Write(FormatHubLine("param", {{"name", "variant"},
                                         {"value", VariantNameOf(Board.Preset())},
                                         {"type", "enum"},
                                         {"values", names}}));
    Output.Write(FormatHubLine("param", {{"name", "engine"},
                                         {"value", Master ? "master" : "classic"},
                                         {"type", "enum"},
                                         {"values", "master classic"}}));
    Output.Write(FormatHubLine("param", {{"name", "hash"},
                                         {"value", std::to_string(HashMiB)},
                                         {"type", "int"},
                                         {"min", "1"},
                                         {"max", std::to_string(MaxHashMiB)}}));
    Output.Write(FormatHubLine("param", {{"name", "contempt"},
                                         {"value", std::to_string(Contempt)},
                                         {"type", "int"},
                                         {"min", "0"},
                                         {"max", std::to_string(MasterMaxContempt)}}));
    Output.Write(FormatHubLine(
        "param",
        {{"name", "disposition"}, {"value", Disposition ? "true" : "false"}, {"type", "bool"}}));
    Output.Write("wait");
}

void THubSession::SetParam(const THubLine& line) {
    const std::optional<std::string> name = line.Value("name");
    if (!name) throw THubError("set-param needs name=");
    // Parameters of other engines are ignored.
    if (*name != "variant" && *name != "disposition" && *name != "engine" && *name != "hash" &&
        *name != "contempt")
        return;
    const std::optional<std::string> value = line.Value("value");
    if (!value) throw THubError("set-param name=" + *name + " needs value=");
    if (*name == "variant") {
        const std::optional<TPreset> preset = FindHubVariant(*value);
        if (!preset) throw THubError("unknown variant '" + *value + "'");
        Board = THubBoard(*preset);
        Board.UseGeometry();
        Game.reset();
    } else if (*name == "engine") {
        if (*value != "master" && *value != "classic")
            throw THubError("engine is master or classic, not '" + *value + "'");
        Master = *value == "master";
    } else if (*name == "hash") {
        HashMiB = WholeParam("hash (MiB)", *value, 1, MaxHashMiB);
        if (MasterSearch) MasterSearch->SetHashSize(HashMiB);
    } else if (*name == "contempt") {
        Contempt = static_cast<int>(WholeParam("contempt", *value, 0, MasterMaxContempt));
        if (MasterSearch) MasterSearch->SetContempt(Contempt);
    } else {
        if (*value != "true" && *value != "false")
            throw THubError("disposition is true or false, not '" + *value + "'");
        Disposition = *value == "true";
    }
}

void THubSession::Pos(const THubLine& line) {
    Game.reset();
    const std::optional<std::string> text = line.Value("pos");
    if (!text) throw THubError("pos needs pos=");
    Board.UseGeometry();
    const TFenPosition start = Board.ParsePosition(*text);
    TGame game(Board.Rules());
    ApplyFen(start, game.CurrentPosition());
    Board.CheckPlayable(game.CurrentPosition());

    std::istringstream moves(line.Value("moves").value_or(""));
    int number = 0;
    for (std::string move; moves >> move;) {
        ++number;
        TPosition& p = game.CurrentPosition();
        if (p.ClassifyNode(false) != NodeHasMoves)
            throw THubError("move " + std::to_string(number) + " of moves, '" + move +
                            "', comes after the end of the game");
        try {
            game.PlayMove(Board.FindMove(p, move));
        } catch (const THubError& e) {
            throw THubError("move " + std::to_string(number) + " of moves: " + e.what());
        }
    }
    game.CurrentPosition().ClassifyNode(false);
    Game.emplace(std::move(game));
}

void THubSession::Go(const THubLine& line) {
    THubSearchRequest request;
    // Without a mode this engine knows, it thinks: a move is what every go ends with.
    if (line.Has("ponder"))
        request.Mode = THubGoMode::Ponder;
    else if (line.Has("analyze"))
        request.Mode = THubGoMode::Analyze;
    else
        request.Mode = THubGoMode::Think;
    if (!Game) throw THubError("there is no position to search: send pos first");
    if (Game->CurrentPosition().Moves.Count == 0)
        throw THubError("the side to move has no legal move");
    request.Level = Level;
    request.Disposition = Disposition;

    if (Master && !MasterSearch) {
        MasterSearch = std::make_unique<TMasterSearch>(HashMiB);
        MasterSearch->SetContempt(Contempt);
    }
    THubSearchResult result;
    {
        TSearchMode mode(Output, Signals);
        const auto info = [&](const THubIteration& it) { Output.Write(InfoLine(it)); };
        result = Master ? RunHubMasterSearch(*MasterSearch, *Game, Board, request, Signals, info)
                        : RunHubSearch(*Game, Board, request, Signals, info);
    }
    std::vector<std::pair<std::string, std::string>> args{{"move", result.Move}};
    if (!result.Ponder.empty()) args.emplace_back("ponder", result.Ponder);
    Output.Write(FormatHubLine("done", args));
}

int RunHubEngine(int input, std::ostream& out) {
    THubChannel channel(input, out);
    TChannelOutput output(channel);
    THubSession session(output);
    while (const std::optional<std::string> line = channel.Next())
        if (!session.Handle(*line)) break;
    return 0;
}

} // namespace quorvin::cli
