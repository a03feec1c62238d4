// A Hub match's engine; see match_engine.h.
#include "match_engine.h"

#include "hub_protocol.h"
#include "think.h"

#include <cmath>

namespace quorvin::match {

namespace {
constexpr int HandshakeMs = 5000;
// The time an engine may take beyond its move time before it counts as silent.
constexpr int GraceMs = 5000;
} // namespace

TMatchEngine::TMatchEngine(const std::string& name, const std::string& program,
                           std::string_view variant)
    : EngineName(name), Client(program, {"hub"}) {
    Send("hub");
    bool variantOffered = false;
    for (;;) {
        const std::string text = Receive(HandshakeMs, "wait");
        const cli::THubLine line = cli::ParseHubLine(text);
        if (line.Command == "wait") break;
        if (line.Command == "id") {
            IdLine = text;
        } else if (line.Command == "param") {
            if (line.Value("name") == "variant") {
                // Whole words of the list: a space on either side of each.
                std::string values(1, ' ');
                values += line.Value("values").value_or("");
                values += ' ';
                std::string word(1, ' ');
                word += variant;
                word += ' ';
                variantOffered = values.find(word) != std::string::npos;
            }
        } else {
            throw TProtocolError(EngineName + ": unexpected line in the handshake: " + text);
        }
    }
    if (IdLine.empty()) throw TProtocolError(EngineName + ": no id line in the handshake");
    if (!variantOffered)
        throw TProtocolError(EngineName + ": the variant " + std::string(variant) +
                             " is not offered");
    Send("set-param name=variant value=" + std::string(variant));
    Send("init");
    const std::string ready = Receive(HandshakeMs, "ready");
    if (ready != "ready")
        throw TProtocolError(EngineName + ": expected ready after init, got: " + ready);
}

void TMatchEngine::Send(const std::string& line) {
    if (!Client.Send(line)) throw TProtocolError(EngineName + ": no longer reads its input");
}

std::string TMatchEngine::Receive(int timeoutMs, const std::string& waitingFor) {
    const std::optional<std::string> line = Client.Receive(timeoutMs);
    if (!line)
        throw TProtocolError(EngineName + (Client.OutputEnded() ? ": ended" : ": silent") +
                             " while waiting for " + waitingFor);
    if (cli::ParseHubLine(*line).Command == "error")
        throw TProtocolError(EngineName + ": " + *line);
    return *line;
}

void TMatchEngine::NewGame() {
    Send("new-game");
}

TEngineMove TMatchEngine::Play(const cli::THubBoard& board, const std::string& initial,
                               const std::string& moves, const TGame& game, double moveTime) {
    std::string pos = "pos pos=";
    pos += initial;
    if (!moves.empty()) {
        pos += " moves=\"";
        pos += moves;
        pos += '"';
    }
    Send(pos);
    Send("level move-time=" + FixedText(moveTime, 3));
    const long long start = TickCount();
    Send("go think");

    TEngineMove result;
    const int timeout = static_cast<int>(std::lround(moveTime * 1000.0)) + GraceMs;
    const TPosition& p = game.CurrentPosition();
    for (;;) {
        const std::string text = Receive(timeout, "done");
        cli::THubLine line;
        try {
            line = cli::ParseHubLine(text);
        } catch (const cli::THubError& e) {
            throw TProtocolError(EngineName + ": unreadable line (" + e.what() + "): " + text);
        }
        if (line.Command == "info") {
            ++result.Infos;
            continue;
        }
        if (line.Command != "done")
            throw TProtocolError(EngineName + ": unexpected line during a search: " + text);
        result.Ms = TickCount() - start;
        const std::string move = line.Value("move").value_or("");
        try {
            result.Index = board.FindMove(p, move);
        } catch (const cli::THubError& e) {
            throw TProtocolError(EngineName + ": " + e.what() + " in " + text);
        }
        // The expected reply must be legal after the move.
        if (const std::optional<std::string> ponder = line.Value("ponder")) {
            auto next = p.NewPosition();
            next->PlayMove(p, result.Index);
            next->ClassifyNode(false);
            try {
                board.FindMove(*next, *ponder);
            } catch (const cli::THubError& e) {
                throw TProtocolError(EngineName + ": ponder move: " + e.what() + " in " + text);
            }
        }
        return result;
    }
}

void TMatchEngine::Ping() {
    Send("ping");
    const std::string answer = Receive(HandshakeMs, "pong");
    if (answer != "pong") throw TProtocolError(EngineName + ": expected pong, got: " + answer);
}

int TMatchEngine::Quit() {
    Client.Send("quit");
    return Client.Wait(HandshakeMs).value_or(-1);
}

} // namespace quorvin::match
