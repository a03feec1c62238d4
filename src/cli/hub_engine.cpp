// The Hub engine's commands; see hub_engine.h.
#include "hub_engine.h"

#include "hub_channel.h"
#include "hub_level.h"
#include "hub_notation.h"
#include "hub_protocol.h"
#include "hub_search.h"

#include "fen.h"
#include "think.h"

#include <cmath>
#include <optional>
#include <sstream>

namespace quorvin::cli {

namespace {
constexpr const char* EngineName = "Quorvin";
constexpr const char* EngineAuthor = "The Quorvin developers";
constexpr const char* EngineCountry = "unknown";
constexpr double ForcedScore = 499.5;

// Hub scores are in men for the side to move. A forced result is written the way Hub
// engines write it, 100 less a hundredth per ply to the end of the game, so that a GUI can
// tell it from any material count.
std::string HubScore(double score) {
    if (std::abs(score) > ForcedScore) {
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

// Ends the channel's search mode however the search ends.
class TSearchMode {
  public:
    TSearchMode(THubChannel& channel, THubSignals& signals) : Channel(channel) {
        Channel.BeginSearch(signals);
    }
    ~TSearchMode() { Channel.EndSearch(); }
    TSearchMode(const TSearchMode&) = delete;
    TSearchMode& operator=(const TSearchMode&) = delete;

  private:
    THubChannel& Channel;
};

class TEngine {
  public:
    explicit TEngine(THubChannel& channel) : Channel(channel) { Board.UseGeometry(); }

    int Run() {
        while (const std::optional<std::string> line = Channel.Next()) {
            try {
                if (!Handle(ParseHubLine(*line))) break;
            } catch (const THubError& e) {
                Channel.Write(FormatHubLine("error", {{"message", e.what()}}));
            }
        }
        return 0;
    }

  private:
    THubChannel& Channel;
    THubBoard Board{*FindPreset("international")};
    bool Disposition = false;
    THubLevel Level;
    std::optional<TGame> Game; // the position of the last good "pos", with its record
    THubSignals Signals;

    // Answers false on "quit".
    bool Handle(const THubLine& line) {
        const std::string& c = line.Command;
        if (c.empty() || c == "stop" || c == "ponder-hit" || c == "new-game") {
            // Stop and ponder-hit mean nothing without a search; there are no tables that a
            // new game would clear.
        } else if (c == "hub") {
            Hello();
        } else if (c == "set-param") {
            SetParam(line);
        } else if (c == "init") {
            Board.UseGeometry();
            Channel.Write("ready");
        } else if (c == "pos") {
            Pos(line);
        } else if (c == "level") {
            Level = ParseHubLevel(line);
        } else if (c == "go") {
            Go(line);
        } else if (c == "ping") {
            Channel.Write("pong");
        } else if (c == "quit") {
            return false;
        } else {
            throw THubError("unknown command '" + c + "'");
        }
        return true;
    }

    void Hello() {
        Channel.Write(FormatHubLine("id", {{"name", EngineName},
                                           {"version", QUORVIN_VERSION},
                                           {"author", EngineAuthor},
                                           {"country", EngineCountry}}));
        std::string names;
        for (const THubVariant& v : HubVariants) {
            if (!names.empty()) names += ' ';
            names += v.Name;
        }
        Channel.Write(FormatHubLine("param", {{"name", "variant"},
                                              {"value", VariantNameOf(Board.Preset())},
                                              {"type", "enum"},
                                              {"values", names}}));
        Channel.Write(FormatHubLine("param", {{"name", "disposition"},
                                              {"value", Disposition ? "true" : "false"},
                                              {"type", "bool"}}));
        Channel.Write("wait");
    }

    void SetParam(const THubLine& line) {
        const std::optional<std::string> name = line.Value("name");
        const std::optional<std::string> value = line.Value("value");
        if (!name || !value) throw THubError("set-param needs name= and value=");
        if (*name == "variant") {
            const std::optional<TPreset> preset = FindHubVariant(*value);
            if (!preset) throw THubError("unknown variant '" + *value + "'");
            Board = THubBoard(*preset);
            Board.UseGeometry();
            Game.reset();
        } else if (*name == "disposition") {
            if (*value != "true" && *value != "false")
                throw THubError("disposition is true or false, not '" + *value + "'");
            Disposition = *value == "true";
        } else {
            throw THubError("unknown parameter '" + *name + "'");
        }
    }

    void Pos(const THubLine& line) {
        Game.reset();
        const std::optional<std::string> text = line.Value("pos");
        if (!text) throw THubError("pos needs pos=");
        Board.UseGeometry();
        const TFenPosition start = Board.ParsePosition(*text);
        TGame game(Board.Rules());
        ApplyFen(start, game.CurrentPosition());

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

    void Go(const THubLine& line) {
        THubSearchRequest request;
        if (line.Has("think"))
            request.Mode = THubGoMode::Think;
        else if (line.Has("ponder"))
            request.Mode = THubGoMode::Ponder;
        else if (line.Has("analyze"))
            request.Mode = THubGoMode::Analyze;
        else
            throw THubError("go needs think, ponder or analyze");
        if (!Game) throw THubError("there is no position to search: send pos first");
        if (Game->CurrentPosition().Moves.Count == 0)
            throw THubError("the side to move has no legal move");
        request.Level = Level;
        request.Disposition = Disposition;

        THubSearchResult result;
        {
            TSearchMode mode(Channel, Signals);
            result = RunHubSearch(*Game, Board, request, Signals,
                                  [&](const THubIteration& it) { Channel.Write(InfoLine(it)); });
        }
        std::vector<std::pair<std::string, std::string>> args{{"move", result.Move}};
        if (!result.Ponder.empty()) args.emplace_back("ponder", result.Ponder);
        Channel.Write(FormatHubLine("done", args));
    }
};
} // namespace

int RunHubEngine(int input, std::ostream& out) {
    THubChannel channel(input, out);
    TEngine engine(channel);
    return engine.Run();
}

} // namespace quorvin::cli
