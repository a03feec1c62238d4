// A tiny Hub engine for the tests of hub_match: it uses every freedom the protocol leaves an
// engine and nothing more. It declares no variant parameter (so it plays International
// draughts only) but a parameter of its own, writes lines no GUI knows, takes a second over
// init and says what it does meanwhile, and plays the first legal move of every position it
// is given. A set-param for a parameter it did not declare is answered with an error, so
// that a GUI that sends one is caught.
#include "hub_notation.h"
#include "hub_protocol.h"

#include "fen.h"
#include "game.h"

#include <chrono>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

using namespace quorvin;
using namespace quorvin::cli;

namespace {
void Say(const std::string& line) {
    std::cout << line << '\n' << std::flush;
}

// The game a pos line sets: its position, then its moves.
std::optional<TGame> GameOf(const THubBoard& board, const THubLine& line) {
    try {
        TGame game(board.Rules());
        ApplyFen(board.ParsePosition(line.Value("pos").value_or("")), game.CurrentPosition());
        std::istringstream moves(line.Value("moves").value_or(""));
        for (std::string move; moves >> move;) {
            TPosition& p = game.CurrentPosition();
            p.ClassifyNode(false);
            game.PlayMove(board.FindMove(p, move));
        }
        game.CurrentPosition().ClassifyNode(false);
        return game;
    } catch (const THubError& e) {
        Say(FormatHubLine("error", {{"message", e.what()}}));
        return std::nullopt;
    }
}
} // namespace

int main() {
    const THubBoard board(*FindHubVariant("normal"));
    board.UseGeometry();
    std::optional<TGame> game;
    for (std::string text; std::getline(std::cin, text);) {
        const THubLine line = ParseHubLine(text);
        const std::string& c = line.Command;
        if (c == "hub") {
            Say("id name=Tiny version=1.0 author=\"the tests\" country=nowhere");
            Say("param name=eagerness value=10 type=int min=0 max=10");
            Say("greeting text=\"a line no GUI knows\"");
            Say("wait");
        } else if (c == "set-param") {
            if (line.Value("name") != "eagerness")
                Say(FormatHubLine("error", {{"message", "no such parameter"}}));
        } else if (c == "init") {
            Say("info message=\"loading nothing, slowly\"");
            std::this_thread::sleep_for(std::chrono::seconds(1));
            Say("tables loaded=none");
            Say("info message=\"done loading\"");
            Say("ready");
        } else if (c == "pos") {
            game = GameOf(board, line);
        } else if (c == "go") {
            Say("thinking about=nothing");
            if (!game || game->CurrentPosition().Moves.Count == 0) {
                Say("done");
                continue;
            }
            const std::string move = board.MoveName(game->CurrentPosition(), 1);
            Say(FormatHubLine("info", {{"depth", "1"}, {"pv", move}}));
            Say("done move=" + move);
        } else if (c == "ping") {
            Say("pong");
        } else if (c == "quit") {
            return 0;
        }
    }
    return 0;
}
