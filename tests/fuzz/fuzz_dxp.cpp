// Fuzz target for DamExchange messages: the input is cut at every '\0', as the connection
// cuts its stream. Each piece is read as a message; what reads is written back, and what is
// written reads back and writes the same again. Then the pieces go, one by one, to the
// follower as an initiator's conversation, the follower playing its turns at once: every
// message it sends can be written and read, a GAMEREQ is answered by exactly one GAMEACC, a
// BACKREQ by "not supported", and nothing it is sent makes it throw.
#include "dxp_board.h"
#include "dxp_follower.h"
#include "dxp_protocol.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace quorvin;
using namespace quorvin::cli;

namespace {
void CheckCodec(std::string_view text) {
    TDxpMessage message;
    try {
        message = ParseDxpMessage(text);
    } catch (const TDxpError& e) {
        Check(e.Header == (text.empty() ? 0 : text[0]));
        return;
    }
    const std::string written = FormatDxpMessage(message);
    Check(written[0] == text[0]);
    Check(written.size() <= DxpMaxLength);
    Check(FormatDxpMessage(ParseDxpMessage(written)) == written);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool board = (UseDxpBoard(), true);
    (void)board;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0; start <= input.size();) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        pieces.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    for (const std::string_view piece : pieces) CheckCodec(piece);

    std::vector<TDxpMessage> sent;
    std::ostringstream log;
    TDxpFollowerOptions options;
    options.Name = "Fuzz";
    options.MoveTime = 0.001;
    TDxpFollower follower(
        options,
        [&](const TDxpMessage& m) {
            sent.push_back(ParseDxpMessage(FormatDxpMessage(m)));
            Check(sent.back() == m || std::holds_alternative<TDxpChat>(m));
        },
        [](const TGame&, const TDxpGameReport&) {}, log);
    for (const std::string_view piece : pieces) {
        const std::size_t before = sent.size();
        follower.Handle(piece);
        int acc = 0, backAcc = 0;
        for (std::size_t i = before; i < sent.size(); ++i) {
            acc += std::holds_alternative<TDxpGameAcc>(sent[i]);
            if (const auto* k = std::get_if<TDxpBackAcc>(&sent[i])) {
                Check(k->Code == TDxpBackAnswer::NotSupported);
                ++backAcc;
            }
        }
        Check(acc == (!piece.empty() && piece[0] == 'R' ? 1 : 0));
        bool backReq = false;
        try {
            backReq = std::holds_alternative<TDxpBackReq>(ParseDxpMessage(piece));
        } catch (const TDxpError&) {
        }
        Check(backAcc == (backReq ? 1 : 0));
        for (int turns = 0; follower.OurTurn() && turns < 2; ++turns) follower.Move();
        if (follower.Stopped()) break;
    }
    return 0;
}
