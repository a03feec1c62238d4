// A Hub match's engine; see match_engine.h.
#include "match_engine.h"

#include "hub_protocol.h"
#include "think.h"

#include <algorithm>
#include <cmath>

namespace quorvin::match {

namespace {
constexpr int HandshakeMs = 5000;
// The time an engine may take beyond its move time before it counts as silent.
constexpr int GraceMs = 5000;
} // namespace

TMatchEngine::TMatchEngine(const std::string& name, const std::string& program,
                           std::string_view variant, int initTimeoutMs, const TParams& params)
    : EngineName(name), Client(program, {"hub"}) {
    Send("hub");
    bool variantParam = false, variantOffered = false;
    std::vector<std::string> offered;
    for (;;) {
        const std::string text = Receive(HandshakeMs, "wait");
        const std::string_view word = cli::HubCommandWord(text);
        if (word == "wait") break;
        if (word == "id") {
            IdLine = text;
        } else if (word == "param") {
            const cli::THubLine line = Parse(text);
            offered.push_back(line.Value("name").value_or(""));
            if (line.Value("name") == "variant") {
                variantParam = true;
                // Whole words of the list: a space on either side of each.
                std::string values(1, ' ');
                values += line.Value("values").value_or("");
                values += ' ';
                std::string wanted(1, ' ');
                wanted += variant;
                wanted += ' ';
                variantOffered = values.find(wanted) != std::string::npos;
            }
        }
        // Any other line is the engine's own business.
    }
    if (IdLine.empty()) throw TProtocolError(EngineName + ": no id line in the handshake");
    if (variantParam) {
        if (!variantOffered)
            throw TProtocolError(EngineName + ": the variant " + std::string(variant) +
                                 " is not offered");
        Send("set-param name=variant value=" + std::string(variant));
    } else if (cli::FindHubVariant(variant)->Name != "international") {
        // An engine without the parameter plays International draughts only.
        throw TProtocolError(EngineName + ": offers no variant parameter, so it plays normal " +
                             "(International) draughts only, not " + std::string(variant));
    }
    for (const auto& [param, value] : params) {
        if (std::find(offered.begin(), offered.end(), param) == offered.end())
            throw TProtocolError(EngineName + ": offers no parameter " + param);
        Send("set-param name=" + param + " value=" + value);
    }
    Send("init");
    // The engine may say what it does while it sets itself up; the time-out is for all of it.
    const long long deadline = TickCount() + initTimeoutMs;
    while (cli::HubCommandWord(Receive(static_cast<int>(std::max(0LL, deadline - TickCount())),
                                       "ready")) != "ready") {
    }
}

void TMatchEngine::Send(const std::string& line) {
    if (!Client.Send(line)) throw TProtocolError(EngineName + ": no longer reads its input");
}

std::string TMatchEngine::Receive(int timeoutMs, const std::string& waitingFor) {
    const std::optional<std::string> line = Client.Receive(timeoutMs);
    if (!line)
        throw TProtocolError(EngineName + (Client.OutputEnded() ? ": ended" : ": silent") +
                             " while waiting for " + waitingFor);
    if (cli::HubCommandWord(*line) == "error") throw TProtocolError(EngineName + ": " + *line);
    return *line;
}

cli::THubLine TMatchEngine::Parse(const std::string& text) const {
    try {
        return cli::ParseHubLine(text);
    } catch (const cli::THubError& e) {
        throw TProtocolError(EngineName + ": unreadable line (" + e.what() + "): " + text);
    }
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
        const std::string_view word = cli::HubCommandWord(text);
        if (word == "info") {
            ++result.Infos;
            continue;
        }
        // Lines the protocol does not know are ignored.
        if (word != "done") continue;
        const cli::THubLine line = Parse(text);
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
    // Lines the protocol does not know may come before the pong; a search's may not.
    for (;;) {
        const std::string answer = Receive(HandshakeMs, "pong");
        const std::string_view word = cli::HubCommandWord(answer);
        if (word == "pong") return;
        if (word == "info" || word == "done")
            throw TProtocolError(EngineName + ": expected pong, got: " + answer);
    }
}

int TMatchEngine::Quit() {
    Client.Send("quit");
    return Client.Wait(HandshakeMs).value_or(-1);
}

} // namespace quorvin::match
