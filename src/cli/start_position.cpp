// Reading a command's start position; see start_position.h.
#include "start_position.h"
#include "game_settings.h"

#include "fen.h"
#include "position_file.h"
#include "rules.h"

namespace quorvin::cli {

std::set<std::string> StartOptions(std::set<std::string> own) {
    own.insert("fen");
    return BoardOptions(std::move(own));
}

TStartPosition ReadStartPosition(const TArgs& args) {
    bool boardGiven = false;
    for (const char* name : {"preset", "rules", "rows", "files", "coloring"})
        boardGiven = boardGiven || args.Has(name);
    const bool fenGiven = args.Has("fen");
    if (!args.Positional().empty()) {
        if (fenGiven) throw TUsageError("give a position file or --fen, not both");
        if (boardGiven)
            throw TUsageError("a position file sets its own board; leave out the board options");
        const TPositionFile file = ReadPositionFile(args.Positional().front());
        TGame game = ApplyPositionFile(file);
        return {TNotation::ForBoard(file.Rules, file.Rows, file.Files, file.Coloring),
                game.CurrentPosition().Clone()};
    }
    TBoardChoice board = ReadBoardChoice(args);
    if (fenGiven && !boardGiven) {
        const TPreset international = *FindPreset("international");
        board = {international.Rules, international.Rows, international.Files,
                 international.Coloring};
    }
    UseBoard(board);
    TStartPosition start{TNotation::ForBoard(board.Rules, board.Rows, board.Files, board.Coloring),
                         CreatePosition(board.Rules)};
    if (!fenGiven) {
        start.Position->SetInitial();
        return start;
    }
    try {
        ApplyFen(ParseFen(start.Notation, args.Text("fen", "")), *start.Position);
    } catch (const TNotationError& e) {
        throw TUsageError(e.what());
    }
    return start;
}

} // namespace quorvin::cli
