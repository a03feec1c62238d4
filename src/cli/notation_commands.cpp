// `quorvin-cli fen`, `moves` and `pdn check`: positions, legal moves and whole games in the
// notation of their boards.
#include "commands.h"
#include "fen.h"
#include "game_settings.h"
#include "pdn.h"
#include "rules.h"
#include "start_position.h"
#include "unique_perft.h"

namespace quorvin::cli {

// The FEN of a position file, or a FEN as given (--fen) written back in this program's form:
// square by square, without the move counters some programs append.
int FenCommand(const TArgList& list, std::ostream& out) {
    const TArgs args(list, BoardFlags({}), StartOptions({}), 1);
    if (args.Positional().empty() && !args.Has("fen"))
        throw TUsageError("name a position file or give --fen");
    const TStartPosition start = ReadStartPosition(args);
    out << FormatFen(start.Notation, *start.Position) << "\n";
    return 0;
}

int MovesCommand(const TArgList& list, std::ostream& out) {
    const TArgs args(list, BoardFlags({}), StartOptions({}), 1);
    if (args.Positional().empty() && !args.Has("fen"))
        throw TUsageError("name a position file or give --fen");
    const TStartPosition start = ReadStartPosition(args);
    TPosition& p = *start.Position;
    p.ResetForReuse();
    p.ClassifyNode(false);
    // Routes that take the same pieces between the same squares are one move.
    for (const int index : DistinctMoves(p)) out << start.Notation.MoveName(p, index) << "\n";
    return 0;
}

int PdnCommand(const TArgList& list, std::ostream& out) {
    if (list.empty() || list.front() != "check")
        throw TUsageError("the pdn command is \"pdn check FILE.pdn [--preset P]\"");
    const TArgs args(TArgList(list.begin() + 1, list.end()), {}, {"preset"}, 1);
    if (args.Positional().size() != 1) throw TUsageError("name one PDN file");
    TNotation fallback;
    if (args.Has("preset")) fallback = TNotation::ForPreset(PresetNamed(args.Text("preset", "")));
    const std::string& fileName = args.Positional().front();
    const std::vector<TPdnGameText> games = ReadPdnFile(fileName);
    if (games.empty()) throw std::runtime_error(fileName + " holds no game");

    int failed = 0;
    for (std::size_t i = 0; i < games.size(); ++i) {
        const TPdnGameText& text = games[i];
        const TLoadedGame loaded = LoadPdnGame(text, fallback);
        std::optional<TPdnError> fault = loaded.Error;
        if (!fault && loaded.DeclaredPlies && *loaded.DeclaredPlies != loaded.Plies)
            fault = TPdnError{text.FindTag("PlyCount")->Line,
                              "PlyCount says " + std::to_string(*loaded.DeclaredPlies) +
                                  ", the moves make " + std::to_string(loaded.Plies)};
        out << "game " << i + 1;
        if (fault) {
            ++failed;
            out << " failed after " << loaded.Plies << " plies: " << fault->Text() << "\n";
            continue;
        }
        auto tag = [&](const char* name) {
            const TPdnTag* t = text.FindTag(name);
            return t && !t->Value.empty() ? t->Value : std::string("?");
        };
        out << " ok " << loaded.Plies << " plies: " << tag("White") << " - " << tag("Black") << " "
            << (loaded.ResultText.empty() ? "*" : loaded.ResultText) << "\n";
    }
    out << "games " << games.size() << " ok " << games.size() - static_cast<std::size_t>(failed)
        << " failed " << failed << "\n";
    return failed > 0 ? 1 : 0;
}

} // namespace quorvin::cli
