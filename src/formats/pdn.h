// PDN (Portable Draughts Notation): whole games as UTF-8 text, several to a file. Each game
// is a list of tags ([Event "..."], [GameType "20"], [FEN "..."], ...) followed by its moves
// with move numbers, comments in braces, variations in parentheses, annotation glyphs ($1)
// and strength marks (!?), and its result.
//
// Opening a game takes two steps. ParsePdn splits the text into games and reads their tags
// and the moves of their main lines, skipping comments, variations and annotations.
// LoadPdnGame then sets the game's board up and replays its moves one by one through the
// legal-move list, so that a game with an illegal, ambiguous or unreadable move is loaded up
// to the move before it, with the line of the fault; a tag that cannot be read or that names
// no board of this program loads nothing. A game without a GameType tag is International
// draughts unless the caller names another board; GameType 99 (a game "from position" as a
// web site writes it) is on the board its FEN tag fits.
//
// Files are read as other programs write them: squares padded after the separator
// ("14x 23", " 1- 6"), free text with double quotes in comments and in remarks in
// parentheses, games of tags alone, and files joined together with a byte order mark at the
// start of each.
//
// Saving writes the seven standard tags, GameType (with the program's own QuorvinRules tag
// for a board that is no preset), SetUp and FEN when the game did not start from the initial
// arrangement, the moves in the board's notation, and the result in its game type's form.
// Texts are passed through as bytes: names in another encoding than UTF-8 stay as they were.
//
//   const TNotation notation = NotationForSettings();            // game_settings.h
//   TPdnHeader header;
//   header.Result = TGameResult::WhiteWins;
//   WriteFileAtomically(name, FormatPdnGame(game, notation, header, true)); // atomic_file.h
//
//   for (const TPdnGameText& text : ReadPdnFile(name)) {
//       TLoadedGame loaded = LoadPdnGame(text);      // builds the game's board
//       if (loaded.Error) show(loaded.Error->Text()); // "line 12: illegal move \"33-28\""
//       if (loaded.Game) use(std::move(*loaded.Game), loaded.Notation);
//   }
#pragma once

#include "game.h"
#include "notation.h"
#include "referee.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

struct TPdnTag {
    std::string Name;
    std::string Value;
    int Line = 0; // 1-based line of the file
};

struct TPdnError {
    int Line = 0;
    std::string Message;
    // "line 12: illegal move \"33-28\"".
    std::string Text() const;
};

struct TPdnMove {
    std::string Text; // as written, strength marks included
    int Line = 0;
};

// One game of a PDN text as written, before it is replayed.
struct TPdnGameText {
    int Line = 0; // where the game starts
    std::vector<TPdnTag> Tags;
    std::vector<TPdnMove> Moves; // the main line, up to the first syntax error
    std::string Terminator;      // the result or "*" that ends the moves; empty when none
    // The first thing in the game that could not be read. When it is in the tags
    // (TagError) the game is not loaded at all; otherwise the moves before it are.
    std::optional<TPdnError> SyntaxError;
    bool TagError = false;

    // The first tag of that name, the case of its letters aside; nullptr when none.
    const TPdnTag* FindTag(std::string_view name) const;
};

// Splits a PDN text into its games. Byte order marks are skipped; lines may end with LF,
// CR LF or CR; lines starting with % are comments. A tag after a blank line, or a second tag
// of the same name, begins a new game even when the game before it has no moves.
std::vector<TPdnGameText> ParsePdn(std::string_view text);
// Reads and splits a PDN file. Throws std::runtime_error when it cannot be read.
std::vector<TPdnGameText> ReadPdnFile(const std::string& fileName);

// A game replayed from its text.
struct TLoadedGame {
    TNotation Notation;        // the game's board and notation
    std::optional<TGame> Game; // empty when the tags set up no board or first position
    int Plies = 0;             // moves replayed
    std::optional<TPdnError> Error;
    // From the Result tag, else from the moves' terminator.
    TGameResult Result = TGameResult::Unknown;
    std::string ResultText;           // as written
    std::optional<int> DeclaredPlies; // from a PlyCount tag
};

// Replays a game. Builds the geometry of its board, sets up its first position, and plays
// its moves in a record made with `options`; the record's current position is the last one
// reached. A game whose tags load nothing (Game empty) leaves the geometry as it was. The
// window puts the game's board (Notation) into its settings. `fallback` is the board and
// notation of a game without a GameType tag.
TLoadedGame LoadPdnGame(const TPdnGameText& text, const TNotation& fallback = TNotation(),
                        const TGameOptions& options = {});

// The tags of a saved game. Values may hold any UTF-8 text.
struct TPdnHeader {
    std::string Event = "?";
    std::string Site = "?";
    std::string Date = "????.??.??";
    std::string Round = "?";
    std::string White = "?";
    std::string Black = "?";
    TGameResult Result = TGameResult::Unknown;
    std::vector<TPdnTag> Extra; // written after the others, in this order
};

// The result a PDN file gives an ended game; Unknown while it goes on.
TGameResult PdnResult(const TOutcome& outcome);

// The moves of a game record, as the record kept them: entry i is the index, among the legal
// moves of Positions(i) in the generators' order, of the move that led to Positions(i + 1),
// for every position held (the redo tail included). The game's board must be the current
// geometry. Throws std::runtime_error when the record keeps no move for a position (one made
// by AddPosition) or the kept move is no legal move of the position before (a board edited
// after the move).
std::vector<int> RecordedMoves(const TGame& game);
// The same moves in the notation, for a list of the game's moves.
std::vector<std::string> RecordedMoveNames(const TGame& game, const TNotation& notation);

// The PDN text of a game: the moves up to the current position, or with the redo tail too.
// The game's board must be the current geometry and the notation's.
std::string FormatPdnGame(const TGame& game, const TNotation& notation, const TPdnHeader& header,
                          bool withRedoTail);

} // namespace quorvin
