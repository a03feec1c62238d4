// Reading, replaying and writing PDN games; see pdn.h.
#include "pdn.h"

#include "fen.h"
#include "rules.h"
#include "text_fields.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace quorvin {

namespace {

// Larger files are not read whole; no collection of games a person opens comes near it.
constexpr std::size_t MaxFileBytes = std::size_t{256} << 20;
// Movetext lines are kept within this width.
constexpr std::size_t LineWidth = 79;

// The GameType of a game "from position" as a popular web site writes it: the board is the
// one its FEN tag fits.
constexpr std::string_view FromPositionType = "99";

constexpr std::array<std::string_view, 7> ResultWords{"1-0", "0-1", "1/2-1/2", "2-0",
                                                      "0-2", "1-1", "0-0"};

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Characters that end a word of the movetext.
bool EndsWord(char c) {
    return IsSpace(c) || std::strchr("{}()[];$\"", c) != nullptr;
}

// The UTF-8 byte order mark: at the start of a file, and in the middle of files joined
// together.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Characters that join two squares of a move.
bool IsMoveSeparator(char c) {
    return c == '-' || c == 'x' || c == 'X' || c == ':';
}

// Walks the text, counting lines: a line ends at LF, CR LF or a lone CR.
class TScanner {
  public:
    explicit TScanner(std::string_view text) : Text(text) {
        if (Text.starts_with(ByteOrderMark)) Pos = ByteOrderMark.size();
    }
    bool AtEnd() const { return Pos >= Text.size(); }
    char Peek(std::size_t ahead = 0) const {
        return Pos + ahead < Text.size() ? Text[Pos + ahead] : '\0';
    }
    int Line() const { return LineNumber; }
    bool AtLineStart() const { return LineStart; }
    char Get() {
        const char c = Text[Pos++];
        LineStart = c == '\n' || (c == '\r' && Peek() != '\n');
        if (LineStart) ++LineNumber;
        return c;
    }
    // Skips blanks, line ends and byte order marks; answers how many line ends it passed.
    int SkipSpaces() {
        const int first = LineNumber;
        for (;;) {
            if (!AtEnd() && IsSpace(Peek())) {
                Get();
            } else if (Text.substr(Pos).starts_with(ByteOrderMark)) {
                Pos += ByteOrderMark.size();
            } else {
                return LineNumber - first;
            }
        }
    }
    // Skips blanks but not line ends.
    void SkipBlanks() {
        while (Peek() == ' ' || Peek() == '\t') Get();
    }
    // Skips the rest of the line, its end included.
    void SkipLine() {
        while (!AtEnd() && !(Get() == '\n' || LineStart)) {
        }
    }
    std::string_view Word() {
        const std::size_t start = Pos;
        while (!AtEnd() && !EndsWord(Peek())) Get();
        return Text.substr(start, Pos - start);
    }

  private:
    std::string_view Text;
    std::size_t Pos = 0;
    int LineNumber = 1;
    bool LineStart = true;
};

class TPdnParser {
  public:
    explicit TPdnParser(std::string_view text) : In(text) {}

    std::vector<TPdnGameText> Parse() {
        for (;;) {
            const bool blankLine = In.SkipSpaces() >= 2;
            if (In.AtEnd()) break;
            const int line = In.Line();
            const char c = In.Peek();
            if (c == '%' && In.AtLineStart()) {
                In.SkipLine();
            } else if (c == '[' && Depth > 0 && !In.AtLineStart()) {
                // A bracket in a remark in parentheses: "(see [3])".
                In.Get();
            } else if (c == '[') {
                if (Game && (MovesStarted || Depth > 0 || StartsNextGame(blankLine))) Finish();
                Begin(line);
                Tag();
            } else if (c == '{') {
                Begin(line);
                Comment();
            } else if (c == ';') {
                In.SkipLine();
            } else if (c == '(') {
                In.Get();
                Begin(line);
                MovesStarted = true;
                if (Depth++ == 0) VariationLine = line;
            } else if (c == ')') {
                In.Get();
                Begin(line);
                if (Depth == 0)
                    Error(line, "\")\" closes no variation");
                else
                    --Depth;
            } else if (c == '$') {
                In.Get();
                Begin(line);
                const std::string_view digits = In.Word();
                if (Depth == 0 &&
                    (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char d) {
                         return std::isdigit(static_cast<unsigned char>(d));
                     })))
                    Error(line, "\"$\" is not followed by a number");
            } else if (c == '/') {
                In.Get();
                Begin(line);
                while (!In.AtEnd() && In.Peek() != '/') In.Get();
                if (!In.AtEnd()) In.Get();
                if (Depth == 0) Error(line, "a position set up within the moves is not read");
            } else if (c == '*') {
                In.Get();
                Begin(line);
                if (Depth == 0) {
                    Game->Terminator = "*";
                    Finish();
                }
            } else if (c == '"' || c == ']' || c == '}') {
                In.Get();
                Begin(line);
                // Remarks in parentheses are free text: "(Black \"resigns\")".
                if (Depth == 0) Error(line, std::string("unexpected \"") + c + "\"");
            } else {
                Begin(line);
                MovesStarted = true;
                Word(line);
            }
        }
        Finish();
        return std::move(Games);
    }

  private:
    TScanner In;
    std::vector<TPdnGameText> Games;
    std::optional<TPdnGameText> Game;
    bool MovesStarted = false;
    int Depth = 0; // of the variations open
    int VariationLine = 0;

    // Whether a tag after the tags of a game without moves begins the next game: after a
    // blank line, or when the game already has a tag of that name. A game may be given by
    // its tags alone.
    bool StartsNextGame(bool blankLine) {
        if (!Game || Game->Tags.empty()) return false;
        if (blankLine) return true;
        std::size_t n = 1;
        while (In.Peek(n) == ' ' || In.Peek(n) == '\t') ++n;
        std::string name;
        while (std::isalnum(static_cast<unsigned char>(In.Peek(n))) || In.Peek(n) == '_')
            name += In.Peek(n++);
        return !name.empty() && Game->FindTag(name) != nullptr;
    }

    void Begin(int line) {
        if (Game) return;
        Game.emplace();
        Game->Line = line;
        MovesStarted = false;
        Depth = 0;
    }

    void Finish() {
        if (!Game) return;
        if (Depth > 0) Error(VariationLine, "the variation that starts here is not closed");
        // A comment or a stray terminator after the last game is no game.
        if (!Game->Tags.empty() || !Game->Moves.empty() || Game->SyntaxError)
            Games.push_back(std::move(*Game));
        Game.reset();
    }

    void Error(int line, const std::string& message, bool inTags = false) {
        if (Game->SyntaxError) return;
        Game->SyntaxError = TPdnError{line, message};
        Game->TagError = inTags;
    }

    void Tag() {
        const int line = In.Line();
        In.Get(); // '['
        In.SkipBlanks();
        std::string name;
        while (std::isalnum(static_cast<unsigned char>(In.Peek())) || In.Peek() == '_')
            name += In.Get();
        auto fail = [&](const std::string& why) {
            Error(line, why, true);
            In.SkipLine();
        };
        if (name.empty()) return fail("a tag without a name");
        In.SkipBlanks();
        if (In.Peek() != '"') return fail("the tag " + name + " has no value in quotes");
        In.Get();
        std::string value;
        for (;;) {
            const char c = In.AtEnd() ? '\n' : In.Peek();
            if (c == '\n' || c == '\r')
                return fail("the value of the tag " + name + " is not closed");
            In.Get();
            if (c == '"') break;
            if (c == '\\' && (In.Peek() == '"' || In.Peek() == '\\')) {
                value += In.Get();
                continue;
            }
            value += c;
        }
        In.SkipBlanks();
        if (In.Peek() != ']') return fail("the tag " + name + " is not closed by \"]\"");
        In.Get();
        Game->Tags.push_back({name, value, line});
    }

    void Comment() {
        const int line = In.Line();
        In.Get(); // '{'
        while (!In.AtEnd() && In.Peek() != '}') In.Get();
        if (In.AtEnd())
            Error(line, "the comment that starts here is not closed");
        else
            In.Get();
    }

    void Word(int line) {
        std::string text(In.Word());
        if (text.empty()) {
            // A character the word scanner stops at but nothing else takes.
            In.Get();
            return Error(line, "unexpected character");
        }
        // Squares padded to a width, or a blank after the separator: "14x 23", " 1- 6".
        while (IsMoveSeparator(text.back())) {
            std::size_t n = 0;
            while (IsSpace(In.Peek(n))) ++n;
            if (n == 0 || !std::isalnum(static_cast<unsigned char>(In.Peek(n)))) break;
            In.SkipSpaces();
            text += In.Word();
        }
        std::string_view word = text;
        // A strength mark in parentheses right after a move: "29-23(?)".
        if (In.Peek() == '(') {
            std::size_t n = 1;
            while (In.Peek(n) == '!' || In.Peek(n) == '?') ++n;
            if (n > 1 && In.Peek(n) == ')')
                for (std::size_t k = 0; k <= n; ++k) In.Get();
        }
        if (std::find(ResultWords.begin(), ResultWords.end(), word) != ResultWords.end()) {
            if (Depth == 0) {
                Game->Terminator = std::string(word);
                Finish();
            }
            return;
        }
        // A move number, "12." or "12...", possibly glued to the move after it.
        std::size_t digits = 0;
        while (digits < word.size() && std::isdigit(static_cast<unsigned char>(word[digits])))
            ++digits;
        if (digits > 0 && digits < word.size() && word[digits] == '.') {
            word.remove_prefix(digits);
            while (!word.empty() && word.front() == '.') word.remove_prefix(1);
        }
        // What is left may be an ellipsis for a move not given, or a lone strength mark.
        if (std::all_of(word.begin(), word.end(), [](char c) { return c == '.'; })) return;
        if (std::all_of(word.begin(), word.end(), [](char c) { return c == '!' || c == '?'; }))
            return;
        if (Depth == 0 && !Game->SyntaxError) Game->Moves.push_back({std::string(word), line});
    }
};

std::string Escaped(std::string_view value) {
    std::string text;
    for (const char c : value) {
        if (c == '"' || c == '\\') text += '\\';
        text += (c == '\n' || c == '\r') ? ' ' : c;
    }
    return text;
}

std::string TagLine(std::string_view name, std::string_view value) {
    std::string line(1, '[');
    line.append(name);
    line += " \"";
    line += Escaped(value);
    line += "\"]\n";
    return line;
}

} // namespace

std::string TPdnError::Text() const {
    return Line > 0 ? "line " + std::to_string(Line) + ": " + Message : Message;
}

const TPdnTag* TPdnGameText::FindTag(std::string_view name) const {
    for (const TPdnTag& tag : Tags)
        if (EqualNoCase(tag.Name, name)) return &tag;
    return nullptr;
}

std::vector<TPdnGameText> ParsePdn(std::string_view text) {
    return TPdnParser(text).Parse();
}

std::vector<TPdnGameText> ReadPdnFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + fileName + ": " + std::strerror(errno));
    std::string text;
    std::array<char, 65536> buffer;
    while (in.read(buffer.data(), buffer.size()), in.gcount() > 0) {
        text.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
        if (text.size() > MaxFileBytes) throw std::runtime_error(fileName + " is too large");
    }
    if (in.bad()) throw std::runtime_error("cannot read " + fileName);
    return ParsePdn(text);
}

TLoadedGame LoadPdnGame(const TPdnGameText& text, const TNotation& fallback,
                        const TGameOptions& options) {
    TLoadedGame loaded;
    loaded.Notation = fallback;
    if (text.TagError) {
        loaded.Error = text.SyntaxError;
        return loaded;
    }
    const TPdnTag* type = text.FindTag("GameType");
    const TPdnTag* rules = text.FindTag("QuorvinRules");
    const TPdnTag* fen = text.FindTag("FEN");
    const bool hasFen = fen && fen->Value.find_first_not_of(" \t") != std::string::npos;
    try {
        if (type && !rules && Trimmed(type->Value) == FromPositionType) {
            if (!hasFen)
                throw TNotationError("game type 99 takes its board from a FEN tag, and the game "
                                     "has none");
            // A GameType tag names its board by number (20 International, 21 English, ...)
            // and FromGameType makes the preset of that board; 99 names none. The site that
            // writes it plays International draughts, so its FEN is read on the 10 x 10
            // board, or, when it does not fit there, on the first preset it fits (a FEN of
            // squares a1..h8 on the Brazilian board, of squares up to 72 on the Canadian).
            loaded.Notation = NotationForFen(TNotation(), fen->Value);
        } else if (type) {
            loaded.Notation = TNotation::FromGameType(type->Value, rules ? rules->Value : "");
        } else if (rules) {
            throw TNotationError("the QuorvinRules tag needs a GameType tag beside it");
        }
    } catch (const TNotationError& e) {
        loaded.Error = TPdnError{type ? type->Line : rules->Line, e.what()};
        return loaded;
    }
    const TNotation& notation = loaded.Notation;

    const TPdnTag* result = text.FindTag("Result");
    loaded.ResultText = result ? result->Value : text.Terminator;
    loaded.Result = notation.ParseResult(loaded.ResultText);
    if (const TPdnTag* plies = text.FindTag("PlyCount")) {
        int n = 0;
        const std::string& v = plies->Value;
        const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), n);
        if (error == std::errc{} && end == v.data() + v.size() && !v.empty())
            loaded.DeclaredPlies = n;
    }

    // The first position is read before the board is built, so that a game that loads
    // nothing leaves the geometry as it was.
    std::optional<TFenPosition> start;
    if (hasFen) {
        try {
            start = ParseFen(notation, fen->Value);
        } catch (const TNotationError& e) {
            loaded.Error = TPdnError{fen->Line, e.what()};
            return loaded;
        }
    }
    BuildGeometry(notation.Rows(), notation.Files(), notation.Coloring() ? 0 : 1);
    TGame game(notation.Rules(), options);
    if (start) ApplyFen(*start, game.CurrentPosition());
    for (const TPdnMove& move : text.Moves) {
        TPosition& position = game.CurrentPosition();
        position.ClassifyNode(false);
        const TMoveLookup lookup = notation.FindMove(position, move.Text);
        if (!lookup.Found()) {
            loaded.Error = TPdnError{move.Line, lookup.Message};
            break;
        }
        game.PlayMove(lookup.Index);
        ++loaded.Plies;
    }
    if (!loaded.Error && text.SyntaxError) loaded.Error = text.SyntaxError;
    loaded.Game = std::move(game);
    return loaded;
}

namespace {

// Walks the record's positions, handing each move's parent (with its legal moves generated
// anew, in the generators' order) and the index of the move the record kept for the next
// position in that list.
template <class F> void ForEachRecordedMove(const TGame& game, int count, F f) {
    for (int i = 1; i < count; ++i) {
        const TPlayedMove* played = game.MoveLeadingTo(i);
        if (!played)
            throw std::runtime_error("the game record keeps no move leading to its position " +
                                     std::to_string(i + 1));
        const auto parent = game.Positions(i - 1).Clone();
        parent->ResetForReuse();
        parent->ClassifyNode(false);
        const int index = IndexOfPlayed(parent->Moves, *played);
        if (index == 0)
            throw std::runtime_error("move " + std::to_string(i) +
                                     " of the game is no legal move of the position before it");
        f(*parent, index);
    }
}

} // namespace

std::vector<int> RecordedMoves(const TGame& game) {
    std::vector<int> moves;
    ForEachRecordedMove(game, game.Count(),
                        [&](const TPosition&, int index) { moves.push_back(index); });
    return moves;
}

TGameResult PdnResult(const TOutcome& outcome) {
    switch (outcome.Kind) {
    case TOutcomeKind::Lost:
        return outcome.Loser == White ? TGameResult::BlackWins : TGameResult::WhiteWins;
    case TOutcomeKind::Draw:
        return TGameResult::Draw;
    case TOutcomeKind::Playing:
        break;
    }
    return TGameResult::Unknown;
}

std::vector<std::string> RecordedMoveNames(const TGame& game, const TNotation& notation) {
    std::vector<std::string> names;
    ForEachRecordedMove(game, game.Count(), [&](const TPosition& parent, int index) {
        names.push_back(notation.MoveName(parent, index));
    });
    return names;
}

std::string FormatPdnGame(const TGame& game, const TNotation& notation, const TPdnHeader& header,
                          bool withRedoTail) {
    if (!notation.MatchesGeometry())
        throw std::logic_error("the notation's board is not the current geometry");
    const std::string result = notation.ResultText(header.Result);
    std::string text = TagLine("Event", header.Event) + TagLine("Site", header.Site) +
                       TagLine("Date", header.Date) + TagLine("Round", header.Round) +
                       TagLine("White", header.White) + TagLine("Black", header.Black) +
                       TagLine("Result", result) + TagLine("GameType", notation.GameTypeTag());
    if (!notation.Standard()) text += TagLine("QuorvinRules", notation.RulesTag());

    const TPosition& first = game.Positions(0);
    const auto initial = CreatePosition(game.Rules());
    initial->SetInitial();
    if (first.SideToMove != initial->SideToMove || !first.SameAs(*initial))
        text += TagLine("SetUp", "1") + TagLine("FEN", FormatFen(notation, first));
    for (const TPdnTag& tag : header.Extra) text += TagLine(tag.Name, tag.Value);
    text += "\n";

    std::string line;
    auto add = [&](const std::string& word) {
        if (!line.empty() && line.size() + 1 + word.size() > LineWidth) {
            text += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    };
    const int firstSide = notation.GameType().FirstSide;
    int number = 1;
    int ply = 0;
    const int count = withRedoTail ? game.Count() : game.Current();
    ForEachRecordedMove(game, count, [&](const TPosition& parent, int index) {
        const std::string name = notation.MoveName(parent, index);
        if (parent.SideToMove == firstSide) {
            add(std::to_string(number) + ". " + name);
        } else {
            add(ply == 0 ? std::to_string(number) + "... " + name : name);
            ++number;
        }
        ++ply;
    });
    add(result);
    return text + line + "\n";
}

} // namespace quorvin
