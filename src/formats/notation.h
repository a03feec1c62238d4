// Square names and move notation. The presets are written as their players write them, in the
// numbering that the PDN GameType tag gives for each game (International draughts 1..50,
// English draughts and Pool checkers 1..32 from Black's side, Spanish 1..32 from White's
// right-hand corner, Italian 1..32 from White's far left corner, Brazilian, Russian and Czech
// a1..h8, Canadian 1..72); Vorna and every other board use this program's own
// numbering (squares 1..SquareCount row by row from White's home row), described by the full
// form of the GameType tag, so that a file still says exactly which squares it means.
//
// A TNotation is built from the rules and the board alone; it never reads the current
// geometry. Its move functions take positions whose move lists were generated on the same
// board, which the caller makes current (BuildGeometry) before generating them.
#pragma once

#include "position.h"
#include "rules.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

// A GameType tag that names no board this program plays, a FEN that does not fit the board,
// and other notation that cannot be read. The text says what is wrong.
class TNotationError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The contents of a GameType tag: "Type,FirstSide,Width,Height,Notation,Invert", for
// instance "20,W,10,10,N2,0". Corners are seen from the side that moves first.
struct TGameType {
    int Number = 20;        // 20 International, 21 English, 22 Italian, 23 Pool, 24 Spanish,
                            // 25 Russian, 26 Brazilian, 27 Canadian, 29 Czech
    int FirstSide = White;  // the side that moves first ("W" or "B")
    int Width = 10;         // files
    int Height = 10;        // rows
    bool Algebraic = false; // squares named like "c3" ("A") rather than numbered ("N")
    int Corner = 2;         // where square 1 or a1 lies: 0 bottom left, 1 bottom right,
                            // 2 top left, 3 top right; numbers run along the rows from there
    int Invert = 0;         // 1 when the bottom left corner is not a playing square

    // The full form, "20,W,10,10,N2,0".
    std::string Text() const;
    // Reads the short form ("20", expanded to the game's standard details) or the full form.
    // Throws TNotationError.
    static TGameType Parse(std::string_view text);
    bool operator==(const TGameType&) const = default;
};

// How a game's result is written: "1-0", "1/2-1/2", "0-1" by default, "2-0", "1-1", "0-2"
// in International and Canadian draughts. The first figure is the score of the side that
// moves first (Black in English draughts, White elsewhere).
enum class TResultStyle { Default, International };
enum class TGameResult { Unknown, WhiteWins, BlackWins, Draw };

// What reading a move in a position found.
struct TMoveLookup {
    enum class TStatus { Found, Unreadable, Illegal, Ambiguous };
    TStatus Status = TStatus::Unreadable;
    int Index = 0;       // with Found: the move's 1-based index in the position's Moves
    std::string Message; // otherwise: what is wrong, naming the text
    bool Found() const { return Status == TStatus::Found; }
};

class TNotation {
  public:
    // International draughts on its 10 x 10 board.
    TNotation();

    // The notation of these rules on this board: a preset's standard numbering when the
    // rules and the board are a preset's (the Vorna preset excepted: it has none), else this
    // program's own numbering.
    static TNotation ForBoard(TRules rules, int rows, int files, bool coloring);
    static TNotation ForPreset(const TPreset& preset);
    // The rules and board of the settings.
    // From the value of a GameType tag and the value of a QuorvinRules tag (empty when the
    // file has none; it names the rule family when the game type alone does not). Throws
    // TNotationError when no board of this program fits.
    static TNotation FromGameType(std::string_view gameType, std::string_view rulesName = {});

    TRules Rules() const { return GameRules; }
    int Rows() const { return BoardRowCount; }
    int Files() const { return BoardFileCount; }
    bool Coloring() const { return BoardColoring; }
    int SquareCount() const { return Squares; }
    // The preset whose standard numbering this is; empty for the program's own numbering.
    std::string_view PresetName() const { return Preset; }
    bool Standard() const { return !Preset.empty(); }
    const TGameType& GameType() const { return Type; }

    // The value of the GameType tag a file of this board gets: the short form ("20") for a
    // preset, the full form otherwise.
    std::string GameTypeTag() const;
    // The value of the QuorvinRules tag ("Vorna", "International", "Russian", ...)
    // written beside the full GameType form; empty for a preset.
    std::string RulesTag() const;
    // Whether the board is the current geometry's, so that positions of it can be read.
    bool MatchesGeometry() const;

    TResultStyle ResultStyle() const;
    std::string ResultText(TGameResult result) const;
    // Any of the usual result forms; Unknown for "*" and anything else.
    TGameResult ParseResult(std::string_view text) const;

    // The name of square s (1..SquareCount): "32" or "c3".
    std::string SquareName(int s) const;
    // The square a name stands for, 0 when none. Numeric names are also read on a board with
    // algebraic names, in the numbering of the International draughts diagram (square 1 in
    // the far left corner seen from the side that moves first).
    int SquareNamed(std::string_view name) const;
    // The square numbered n in the notation (numeric boards), 0 when none.
    int SquareNumbered(int n) const;
    // The number square s carries in the notation, and in the numeric reading of an
    // algebraic board.
    int NumberOf(int s) const;
    // (file, row) of square s seen from White, as the program numbers its squares.
    std::array<int, 2> Cell(int s) const { return Cells[s]; }
    // The square at (file, row), 0 when none.
    int SquareAt(int file, int row) const;

    // The notation of move `index` of p.Moves, as the game type's collections write it:
    // "32-28", "28x19", or the full path "47x38x24x13x36" when another legal capture between
    // the same squares takes other pieces. Russian draughts writes captures with ":" and, as
    // Czech draughts does with "x", with every square the piece lands on: "c3:e5:g3".
    std::string MoveName(const TPosition& p, int index) const;
    // The legal move of p.Moves a text stands for. Captures may be written with their
    // start and end square or with squares along their path; "-", "x" and ":" all separate
    // squares, and so do the long dashes and the times sign of typeset texts. On algebraic
    // boards the short forms of Russian literature are read too: the file the piece starts
    // from and the square it goes to, "cd4", or for a capture "c:e5" (with landing squares
    // between if need be, "c:e5:g3"). Capture routes of one piece that take the same pieces
    // between the same squares are one move: the first of them is answered. A text that fits
    // other moves as well is Ambiguous, and the message names them. p.Moves must hold the
    // position's legal moves.
    TMoveLookup FindMove(const TPosition& p, std::string_view text) const;

  private:
    TRules GameRules = TRules::International;
    int BoardRowCount = 10;
    int BoardFileCount = 10;
    bool BoardColoring = false;
    int Squares = 0;
    std::string_view Preset;
    TGameType Type;
    char CaptureMark = 'x'; // between the squares of a capture
    bool Landings = false;  // captures are written with every landing square
    std::array<std::array<int, 2>, MaxSquares + 1> Cells{};
    std::array<std::array<std::uint8_t, MaxSide + 2>, MaxSide + 2> Grid{}; // [file][row]
    std::array<int, MaxSquares + 1> Numbers{};        // notation number of each square
    std::array<int, MaxSquares + 1> ByNumber{};       // square of each notation number
    std::array<int, MaxSquares + 1> NumericNumbers{}; // numeric reading of algebraic boards
    std::array<int, MaxSquares + 1> ByNumericNumber{};

    TNotation(TRules rules, int rows, int files, bool coloring, std::string_view preset,
              const TGameType& type);
    // The squares written for a capture: its start, then the turning points (or, along a
    // straight line, the square just behind each taken piece), then its end.
    std::vector<int> CapturePath(const TMove& m) const;
    // Every square a move's piece passes over or lands on after its start, taken squares
    // left out, in order.
    std::vector<int> RouteSquares(const TMove& m) const;
};

} // namespace quorvin
