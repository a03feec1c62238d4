// Fuzz target for Hub protocol lines: each line of the input goes through the line parser,
// and the whole input, line by line, through the engine's command handling as a GUI's
// conversation would. A line splits or is refused with THubError; what splits is written
// back by FormatHubLine and reads back the same. The engine answers every line it can take
// with lines that split, at most one error per line, a pong for every ping, and a done as
// the last line of every go. Searches are stopped as soon as they start, so that no input
// can make the engine think for long.
#include "fuzz_check.h"
#include "hub_engine.h"
#include "hub_protocol.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace quorvin::cli;

namespace {

// The engine's lines, and searches broken off before their first iteration.
class TCollect final : public THubOutput {
  public:
    std::vector<std::string> Lines;
    void Write(const std::string& line) override { Lines.push_back(line); }
    void BeginSearch(THubSignals& signals) override {
        signals.Reset();
        signals.State.RequestStop();
    }
    void EndSearch() override {}
};

// The parser on one line: a refusal, or a split that FormatHubLine writes back the same
// (a double quote in a value becomes a single one, and a flag an empty value).
void CheckParser(std::string_view text) {
    THubLine line;
    try {
        line = ParseHubLine(text);
    } catch (const THubError&) {
        return;
    }
    Check(HubCommandWord(text) == line.Command);
    if (line.Command.empty()) {
        Check(line.Args.empty());
        return;
    }
    std::vector<std::pair<std::string, std::string>> args;
    for (const THubLine::TArg& a : line.Args) {
        Check(!a.Name.empty());
        Check(a.HasValue || a.Value.empty());
        args.emplace_back(a.Name, a.Value);
    }
    const THubLine again = ParseHubLine(FormatHubLine(line.Command, args));
    Check(again.Command == line.Command);
    Check(again.Args.size() == line.Args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string expected = args[i].second;
        for (char& c : expected)
            if (c == '"') c = '\'';
        Check(again.Args[i].Name == args[i].first);
        Check(again.Args[i].HasValue);
        Check(again.Args[i].Value == expected);
    }
}

// What the engine answered to one line.
void CheckAnswers(std::string_view word, const std::vector<std::string>& answers) {
    int errors = 0, dones = 0, pongs = 0;
    for (const std::string& a : answers) {
        const THubLine line = ParseHubLine(a); // throws, and so fails, on a line that breaks
        if (line.Command == "error") {
            ++errors;
            Check(line.Value("message").has_value());
        }
        if (line.Command == "done") ++dones;
        if (line.Command == "pong") ++pongs;
    }
    Check(errors <= 1);
    Check(dones == (word == "go" ? 1 : 0));
    if (word == "go") Check(HubCommandWord(answers.back()) == "done");
    Check(pongs == (word == "ping" ? 1 : 0));
    if (word == "hub") Check(answers.back() == "wait");
    if (word == "init") Check(answers.back() == "ready");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= input.size();) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        lines.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    for (const std::string_view line : lines) CheckParser(line);

    TCollect output;
    THubSession session(output);
    for (const std::string_view line : lines) {
        const std::size_t before = output.Lines.size();
        const bool goOn = session.Handle(line);
        const std::vector<std::string> answers(
            output.Lines.begin() + static_cast<std::ptrdiff_t>(before), output.Lines.end());
        CheckAnswers(HubCommandWord(line), answers);
        if (!goOn) break;
    }
    return 0;
}
