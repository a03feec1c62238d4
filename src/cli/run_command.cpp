// Dispatch of quorvin-cli's commands and its usage text.
#include "cli_args.h"
#include "commands.h"
#include "hub_notation.h"

#include <exception>

namespace quorvin::cli {

namespace {
// A list after its label, broken after a comma where a line would pass 79 characters.
std::string Listed(std::string_view label, std::string_view list) {
    std::string text(label);
    std::size_t lineStart = 0;
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t comma = list.find(", ", start);
        const std::size_t end = comma == std::string_view::npos ? list.size() : comma + 1;
        if (text.size() - lineStart + (end - start) > 79 &&
            text.size() > lineStart + label.size()) {
            text.back() = '\n'; // the blank after the last comma
            lineStart = text.size();
        }
        text.append(list.substr(start, end - start));
        if (comma == std::string_view::npos) break;
        text += ' ';
        start = comma + 2;
    }
    return text + "\n";
}

// The lists of names come from the tables they name, so that a preset, a family or a Hub
// variant added there is in the usage text too.
std::string Usage() {
    std::string hubVariants;
    for (const THubVariant& v : HubVariants) {
        if (!hubVariants.empty()) hubVariants += ", ";
        hubVariants += v.Name;
    }
    std::string text =
        "usage: quorvin-cli COMMAND [options]\n"
        "  board    BOARD [--top]\n"
        "  perft    [BOARD | FILE.qvp | --fen F [BOARD]] --depth D [--bulk] [--unique]\n"
        "  bench    [--budget B] [--master [--depth D]] [--quiet]\n"
        "  think    FILE.qvp [--level L | --master [--move-time S] [--depth D] [--nodes N]]"
        " [--disposition] [--seed S]\n"
        "  selfplay BOARD --white L --black L --games N [--seed S] [--disposition] [--pdn "
        "OUT.pdn] [--master] [--move-time S] [--depth D] [--nodes N]\n"
        "  fen      FILE.qvp | --fen F [BOARD]\n"
        "  moves    FILE.qvp | --fen F [BOARD]\n"
        "  pdn      check FILE.pdn [--preset P]\n"
        "  hub      (a Hub engine on standard input and output)\n"
        "  dxp      --listen [HOST:]PORT | --connect HOST:PORT [--games N] [--openings FENS] "
        "[--max-plies P] [--move-time S] [--pdn OUT.pdn]\n"
        "BOARD: --preset P, or --rules N --rows R --files F [--coloring]; a preset sets all four\n";
    text += Listed("presets: ", PresetNames());
    text += Listed("rules: ", RulesNumbers());
    text += "F: a position as \"W:W31,32:B1,2\" or \"W:W31-50:B1-20\" in the board's notation;\n"
            "International draughts when no BOARD is given\n"
            "--master, or level 13 in selfplay: the master search, for --move-time S a move (think "
            "1 s,\nselfplay 0.1 s by default), to --depth D or over --nodes N; bench --master: its "
            "signature\n"
            "--unique: capture routes that take the same pieces between the same squares count "
            "once\n"
            "pdn check: replays every game of the file; a game without GameType is International\n"
            "draughts, or on the board of --preset\n";
    text += Listed("hub variants: ", hubVariants);
    text += "dxp: International draughts over DamExchange, as the follower (--listen) or as the\n"
            "initiator (--connect); FENS holds a FEN a line; both take --engine classic|master "
            "and\n--verbose (every message on standard error)\n";
    return text + "quorvin-cli --version prints the program's version\n";
}
} // namespace

int RunCommand(const TArgList& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << Usage();
        return 2;
    }
    const std::string name = args[0];
    const TArgList rest(args.begin() + 1, args.end());
    try {
        if (name == "board") return BoardCommand(rest, out);
        if (name == "perft") return PerftCommand(rest, out);
        if (name == "bench") return BenchCommand(rest, out);
        if (name == "think") return ThinkCommand(rest, out);
        if (name == "selfplay") return SelfPlayCommand(rest, out);
        if (name == "fen") return FenCommand(rest, out);
        if (name == "moves") return MovesCommand(rest, out);
        if (name == "pdn") return PdnCommand(rest, out);
        if (name == "dxp") return DxpCommand(rest, out, err);
        if (name == "hub") return HubCommand(rest, out);
        if (name == "--version" || name == "version") {
            out << "quorvin-cli " QUORVIN_VERSION "\n";
            return 0;
        }
        if (name == "help" || name == "--help") {
            out << Usage();
            return 0;
        }
        err << "quorvin-cli: unknown command \"" << name << "\"\n" << Usage();
        return 2;
    } catch (const TUsageError& e) {
        err << "quorvin-cli " << name << ": " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "quorvin-cli " << name << ": " << e.what() << "\n";
        return 1;
    }
}

} // namespace quorvin::cli
