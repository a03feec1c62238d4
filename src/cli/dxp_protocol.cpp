// Reading and writing DamExchange messages; see dxp_protocol.h.
#include "dxp_protocol.h"

#include <algorithm>

namespace quorvin::cli {

namespace {
constexpr std::size_t ChatLength = DxpMaxLength - 1;

const char* ColourLetter(TDxpColour colour) {
    return colour == TDxpColour::White ? "W" : "Z";
}

// Reads a message's fields from left to right, naming the field that is wrong.
class TReader {
  public:
    explicit TReader(std::string_view text) : Text(text) {}

    std::size_t Left() const { return Text.size() - At; }

    int Number(std::size_t width, const char* field) {
        Need(width, field);
        int value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            const char c = Text[At + i];
            if (c < '0' || c > '9')
                Fail(std::string(field) + " is \"" + std::string(Text.substr(At, width)) +
                     "\", not " + std::to_string(width) + " digits");
            value = value * 10 + (c - '0');
        }
        At += width;
        return value;
    }
    int Number(std::size_t width, const char* field, int lo, int hi) {
        const int value = Number(width, field);
        if (value < lo || value > hi)
            Fail(std::string(field) + " " + std::to_string(value) + " is outside " +
                 std::to_string(lo) + ".." + std::to_string(hi));
        return value;
    }
    TDxpColour Colour(const char* field) {
        Need(1, field);
        const char c = Text[At++];
        if (c == 'W') return TDxpColour::White;
        if (c == 'Z') return TDxpColour::Black;
        Fail(std::string(field) + " is '" + std::string(1, c) + "', not W or Z");
    }
    char Letter(const char* field) {
        Need(1, field);
        return Text[At++];
    }
    // A name field: trailing blanks are padding.
    std::string Name(const char* field) {
        Need(DxpNameLength, field);
        std::string name(Text.substr(At, DxpNameLength));
        At += DxpNameLength;
        name.erase(name.find_last_not_of(' ') + 1);
        return name;
    }
    std::string Rest() {
        std::string rest(Text.substr(At));
        At = Text.size();
        return rest;
    }
    std::string_view Take(std::size_t width, const char* field) {
        Need(width, field);
        const std::string_view part = Text.substr(At, width);
        At += width;
        return part;
    }
    void End() {
        if (Left() != 0)
            Fail(std::to_string(Left()) + " letters too many (\"" + std::string(Text.substr(At)) +
                 "\")");
    }
    [[noreturn]] void Fail(const std::string& what) const {
        throw TDxpError(Text[0], Kind() + ": " + what);
    }

  private:
    std::string_view Text;
    std::size_t At = 1;

    void Need(std::size_t width, const char* field) const {
        if (Left() < width)
            Fail(std::string("too short for its ") + field + " (" + std::to_string(Text.size()) +
                 " letters)");
    }
    std::string Kind() const {
        switch (Text[0]) {
        case 'R':
            return "GAMEREQ";
        case 'A':
            return "GAMEACC";
        case 'M':
            return "MOVE";
        case 'E':
            return "GAMEEND";
        case 'C':
            return "CHAT";
        case 'B':
            return "BACKREQ";
        case 'K':
            return "BACKACC";
        }
        return "message";
    }
};

bool PositionLetter(char c) {
    return c == 'e' || c == 'w' || c == 'z' || c == 'W' || c == 'Z';
}

TDxpGameReq ReadGameReq(TReader& r) {
    TDxpGameReq m;
    m.Version = r.Number(2, "version");
    m.Initiator = r.Name("initiator name");
    m.FollowerColour = r.Colour("follower colour");
    m.Minutes = r.Number(3, "thinking time");
    m.Moves = r.Number(3, "number of moves");
    const char start = r.Letter("starting position");
    if (start == 'A') {
        r.Rest(); // the position some programs send anyway
        return m;
    }
    if (start != 'B') r.Fail("starting position is '" + std::string(1, start) + "', not A or B");
    TDxpSetup setup;
    setup.ToMove = r.Colour("colour to move");
    const std::string_view board = r.Take(DxpSquares, "position");
    for (std::size_t i = 0; i < board.size(); ++i)
        if (!PositionLetter(board[i]))
            r.Fail("square " + std::to_string(i + 1) + " of the position is '" +
                   std::string(1, board[i]) + "', not e, w, z, W or Z");
    setup.Board = std::string(board);
    r.End();
    m.Setup = setup;
    return m;
}

TDxpMove ReadMove(TReader& r) {
    TDxpMove m;
    m.Seconds = r.Number(4, "time");
    m.From = r.Number(2, "from field", 1, DxpSquares);
    m.To = r.Number(2, "to field", 1, DxpSquares);
    const int count = r.Number(2, "number captured", 0, DxpMaxCaptured);
    for (int k = 0; k < count; ++k)
        m.Captured.push_back(r.Number(2, "captured piece", 1, DxpSquares));
    r.End();
    return m;
}

std::string Digits(int value, int width, const char* field) {
    std::string text = std::to_string(value);
    if (value < 0 || text.size() > static_cast<std::size_t>(width))
        throw TDxpError(0, std::string(field) + " " + text + " does not fit in " +
                               std::to_string(width) + " digits");
    text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

std::string Square(int square, const char* field) {
    if (square < 1 || square > DxpSquares)
        throw TDxpError(0, std::string(field) + " " + std::to_string(square) +
                               " is no square of the board");
    return Digits(square, 2, field);
}

// Printable ASCII, as both ends can show it.
std::string Printable(std::string_view text, std::size_t most) {
    std::string out(text.substr(0, most));
    for (char& c : out)
        if (c < ' ' || c > '~') c = '?';
    return out;
}

std::string NameField(std::string_view name) {
    const std::size_t first = std::min(name.find_first_not_of(' '), name.size());
    std::string out = Printable(name.substr(first), DxpNameLength);
    out.resize(DxpNameLength, ' ');
    return out;
}

// Messages are built by appending to their header: GCC 12 warns wrongly about
// "literal" + std::string.
struct TWriter {
    std::string operator()(const TDxpGameReq& m) const {
        std::string text(1, 'R');
        text += Digits(m.Version, 2, "version");
        text += NameField(m.Initiator);
        text += ColourLetter(m.FollowerColour);
        text += Digits(m.Minutes, 3, "thinking time");
        text += Digits(m.Moves, 3, "number of moves");
        if (!m.Setup) return text += 'A';
        if (m.Setup->Board.size() != static_cast<std::size_t>(DxpSquares) ||
            !std::all_of(m.Setup->Board.begin(), m.Setup->Board.end(), PositionLetter))
            throw TDxpError(0, "a GAMEREQ position is 50 letters e, w, z, W or Z");
        text += 'B';
        text += ColourLetter(m.Setup->ToMove);
        return text += m.Setup->Board;
    }
    std::string operator()(const TDxpGameAcc& m) const {
        std::string text(1, 'A');
        text += NameField(m.Follower);
        return text += Digits(static_cast<int>(m.Code), 1, "code");
    }
    std::string operator()(const TDxpMove& m) const {
        if (m.Captured.size() > static_cast<std::size_t>(DxpMaxCaptured))
            throw TDxpError(0, "a move takes at most 20 pieces");
        std::string text(1, 'M');
        text += Digits(std::clamp(m.Seconds, 0, 9999), 4, "time");
        text += Square(m.From, "from field");
        text += Square(m.To, "to field");
        text += Digits(static_cast<int>(m.Captured.size()), 2, "number captured");
        for (const int s : m.Captured) text += Square(s, "captured piece");
        return text;
    }
    std::string operator()(const TDxpGameEnd& m) const {
        std::string text(1, 'E');
        text += Digits(static_cast<int>(m.Reason), 1, "reason");
        return text += m.StopAll ? '1' : '0';
    }
    std::string operator()(const TDxpChat& m) const {
        std::string text(1, 'C');
        return text += Printable(m.Text, ChatLength);
    }
    std::string operator()(const TDxpBackReq& m) const {
        if (m.MoveNumber < 1) throw TDxpError(0, "a BACKREQ move number starts at 1");
        std::string text(1, 'B');
        text += Digits(m.MoveNumber, 3, "move number");
        return text += ColourLetter(m.ToMove);
    }
    std::string operator()(const TDxpBackAcc& m) const {
        std::string text(1, 'K');
        return text += Digits(static_cast<int>(m.Code), 1, "code");
    }
};
} // namespace

TDxpMessage ParseDxpMessage(std::string_view text) {
    if (text.empty()) throw TDxpError(0, "empty message");
    if (text.size() > DxpMaxLength)
        throw TDxpError(text[0],
                        "message of " + std::to_string(text.size()) + " letters; the most is 127");
    for (const char c : text)
        if (c <= 0) // '\0' ends a message; bytes above 127 are not ASCII
            throw TDxpError(text[0], "message holds a byte outside ASCII 1..127");
    TReader r(text);
    switch (text[0]) {
    case 'R':
        return ReadGameReq(r);
    case 'A': {
        TDxpGameAcc m;
        m.Follower = r.Name("follower name");
        m.Code = static_cast<TDxpAcceptance>(r.Number(1, "acceptance code", 0, 3));
        r.End();
        return m;
    }
    case 'M':
        return ReadMove(r);
    case 'E': {
        TDxpGameEnd m;
        m.Reason = static_cast<TDxpEndReason>(r.Number(1, "reason", 0, 3));
        m.StopAll = r.Number(1, "stop code", 0, 1) == 1;
        r.End();
        return m;
    }
    case 'C':
        return TDxpChat{r.Rest()};
    case 'B': {
        TDxpBackReq m;
        m.MoveNumber = r.Number(3, "move number", 1, 999);
        m.ToMove = r.Colour("colour to move");
        r.End();
        return m;
    }
    case 'K': {
        TDxpBackAcc m;
        m.Code = static_cast<TDxpBackAnswer>(r.Number(1, "acceptance code", 0, 2));
        r.End();
        return m;
    }
    }
    throw TDxpError(text[0], "unknown message type '" + std::string(1, text[0]) + "'");
}

std::string FormatDxpMessage(const TDxpMessage& message) {
    return std::visit(TWriter{}, message);
}

std::string_view DxpMessageName(const TDxpMessage& message) {
    static constexpr std::string_view Names[] = {"GAMEREQ", "GAMEACC", "MOVE",   "GAMEEND",
                                                 "CHAT",    "BACKREQ", "BACKACC"};
    return Names[message.index()];
}

std::string DxpMoveText(const TDxpMove& move) {
    std::string text =
        std::to_string(move.From) + (move.Captured.empty() ? "-" : "x") + std::to_string(move.To);
    if (!move.Captured.empty()) {
        text += " (";
        for (std::size_t i = 0; i < move.Captured.size(); ++i) {
            if (i > 0) text += ' ';
            text += std::to_string(move.Captured[i]);
        }
        text += ')';
    }
    return text;
}

} // namespace quorvin::cli
