// Reading, checking, writing and applying position files; see position_file.h.
#include "position_file.h"

#include <algorithm>

#include "atomic_file.h"
#include "mathematics.h"
#include "rules.h"
#include "setup_rules.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <optional>

namespace quorvin {

namespace {

// Larger files cannot be position files; reading stops there instead of filling memory.
constexpr std::size_t MaxFileBytes = 1 << 20;

// Hands out the lines of a text one by one; a line ends at CR LF, LF or a lone CR.
class TLineReader {
  public:
    explicit TLineReader(std::string_view text) : Text(text) {}

    int LineNumber() const { return Number; }

    std::optional<std::string_view> Next() {
        if (Pos >= Text.size()) return std::nullopt;
        ++Number;
        const std::size_t end = Text.find_first_of("\r\n", Pos);
        if (end == std::string_view::npos) {
            const std::string_view line = Text.substr(Pos);
            Pos = Text.size();
            return line;
        }
        const std::string_view line = Text.substr(Pos, end - Pos);
        Pos = end + (Text[end] == '\r' && end + 1 < Text.size() && Text[end + 1] == '\n' ? 2 : 1);
        return line;
    }

  private:
    std::string_view Text;
    std::size_t Pos = 0;
    int Number = 0;
};

// A line shown in a message: quoted, and cut short when it is long.
std::string Quoted(std::string_view line) {
    constexpr std::size_t shown = 20;
    std::string text = "\"";
    for (const char c : line.substr(0, shown))
        text += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    if (line.size() > shown) text += "...";
    return text + "\"";
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A decimal integer with an optional sign, blanks allowed around it.
std::optional<int> ParseInteger(std::string_view line) {
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    if (!line.empty() && line.front() == '+') line.remove_prefix(1);
    int value = 0;
    const char* first = line.data();
    const char* last = line.data() + line.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (line.empty() || error != std::errc{} || end != last) return std::nullopt;
    return value;
}

class TFileParser {
  public:
    explicit TFileParser(std::string_view text) : Lines(text) {}

    std::string_view Line(const char* what) {
        const auto line = Lines.Next();
        if (!line)
            throw TPositionFileError(Lines.LineNumber() + 1,
                                     std::string("missing; it should hold ") + what);
        return *line;
    }

    int Number(const char* what) {
        const std::string_view line = Line(what);
        const auto value = ParseInteger(line);
        if (!value) Fail(std::string("should hold ") + what + ", not " + Quoted(line));
        return *value;
    }

    int Bit(const char* what) {
        const int value = Number(what);
        if (value != 0 && value != 1)
            Fail(std::string("should hold ") + what + ", 0 or 1, not " + std::to_string(value));
        return value;
    }

    int Dimension(const char* what) {
        const int value = Number(what);
        if (!InRange(value, MinSide, MaxSide))
            Fail(std::string(what) + " " + std::to_string(value) + " is outside " +
                 std::to_string(MinSide) + ".." + std::to_string(MaxSide));
        return value;
    }

    [[noreturn]] void Fail(const std::string& message) const {
        throw TPositionFileError(Lines.LineNumber(), message);
    }

  private:
    TLineReader Lines;
};

} // namespace

TPositionFileError::TPositionFileError(int line, const std::string& message)
    : TPositionFileError(line, message, std::string()) {}

TPositionFileError::TPositionFileError(int line, const std::string& message,
                                       const std::string& fileName)
    : std::runtime_error((fileName.empty() ? std::string() : fileName + (line > 0 ? ", " : ": ")) +
                         (line > 0
                              ? (fileName.empty() ? "Line " : "line ") + std::to_string(line) + ": "
                              : std::string()) +
                         message),
      Line(line), Detail(message) {}

int SquareCountOf(int rows, int files, bool coloring) {
    // Row r starts on file 1 when its parity equals the coloring flag, else on file 2.
    const int coloringFlag = coloring ? 0 : 1;
    int count = 0;
    for (int row = 1; row <= rows; ++row) {
        const int first = row % 2 == coloringFlag ? 1 : 2;
        if (first <= files) count += (files - first) / 2 + 1;
    }
    return count;
}

TPositionFile ParsePositionFile(std::string_view text) {
    TFileParser parser(text);
    TPositionFile file;
    file.RulesIndex = parser.Number("the rules index");
    file.Rules = RulesFromIndex(file.RulesIndex);
    file.Rows = parser.Dimension("rows");
    file.Files = parser.Dimension("files");
    file.Coloring = parser.Line("the Coloring switch") == "TRUE";
    file.SquareCount = SquareCountOf(file.Rows, file.Files, file.Coloring);
    for (int cell = 0; cell <= file.SquareCount; ++cell) {
        const int empty = parser.Number("a cell's Empty value");
        const int side = parser.Bit("a cell's Side");
        const int kind = parser.Bit("a cell's Kind");
        if (cell == 0) {
            // Cell 0 is the sentinel, not a square: it holds a man of the side to move whatever
            // its other lines say, since an empty sentinel would let pieces walk off the board.
            file.SideToMove = side;
            file.Cells[0] = side == White ? WhiteMan : BlackMan;
        } else {
            file.Cells[cell] = empty != 0 ? EmptySquare
                                          : TSquare{0, static_cast<std::uint8_t>(side),
                                                    static_cast<std::uint8_t>(kind)};
        }
    }
    for (int cell = file.SquareCount + 1; cell <= MaxSquares; ++cell)
        file.Cells[cell] = EmptySquare;
    return file;
}

TPositionFile ReadPositionFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw TPositionFileError(0, "Cannot open " + fileName + ": " + std::strerror(errno));
    // Read in small pieces, so that a normal file of a few kilobytes costs no more than its size.
    std::string text;
    std::array<char, 4096> buffer;
    while (in.read(buffer.data(), buffer.size()), in.gcount() > 0) {
        text.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
        if (text.size() > MaxFileBytes)
            throw TPositionFileError(0, "The file " + fileName +
                                            " is too large to be a position file");
    }
    if (in.bad()) throw TPositionFileError(0, "Cannot read " + fileName);
    try {
        return ParsePositionFile(text);
    } catch (const TPositionFileError& e) {
        throw TPositionFileError(e.Line, e.Detail, fileName);
    }
}

TPositionFile PositionFileOf(int rulesIndex, const TPosition& position) {
    TPositionFile file;
    file.RulesIndex = rulesIndex;
    file.Rules = RulesFromIndex(rulesIndex);
    file.Rows = BoardRows;
    file.Files = BoardFiles;
    file.Coloring = BoardColoringFlag == 0;
    file.SquareCount = SquareCount;
    file.Cells[0] = position.SideToMove == White ? WhiteMan : BlackMan;
    for (int cell = 1; cell <= SquareCount; ++cell) file.Cells[cell] = position.At(cell);
    for (int cell = SquareCount + 1; cell <= MaxSquares; ++cell) file.Cells[cell] = EmptySquare;
    file.SideToMove = position.SideToMove;
    return file;
}

std::string FormatPositionFile(const TPositionFile& file) {
    std::string text;
    auto line = [&text](const std::string& value) { text += value + "\r\n"; };
    auto padded = [](int value) {
        const std::string digits = std::to_string(value);
        return digits.size() < 2 ? std::string(2 - digits.size(), ' ') + digits : digits;
    };
    line(std::to_string(file.RulesIndex));
    line(padded(file.Rows));
    line(padded(file.Files));
    line(file.Coloring ? "TRUE" : "FALSE");
    for (int cell = 0; cell <= file.SquareCount; ++cell) {
        const TSquare q = file.Cells[cell];
        // Cell 0 carries the side to move.
        line(std::to_string(cell == 0 ? 0 : q.Empty));
        line(std::to_string(cell == 0 ? file.SideToMove : q.Side));
        line(std::to_string(q.Kind));
    }
    return text;
}

void WritePositionFile(const std::string& fileName, int rulesIndex, const TPosition& position) {
    WriteFileAtomically(fileName, FormatPositionFile(PositionFileOf(rulesIndex, position)));
}

TGame GameOfPositionFile(const TPositionFile& file, const TGameOptions& options) {
    BuildGeometry(file.Rows, file.Files, file.Coloring ? 0 : 1);
    if (SquareCount != file.SquareCount)
        throw std::logic_error("The position file's cells do not match its board");
    TGame game(file.Rules, options);
    TPosition& position = game.CurrentPosition();
    for (int cell = 1; cell <= SquareCount; ++cell) position.Put(cell, file.Cells[cell]);
    position.SetSideToMove(file.SideToMove);
    FinishEditedPosition(position);
    return game;
}

} // namespace quorvin
