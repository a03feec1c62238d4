// Square numbering, GameType tags, results and the writing and reading of moves; see
// notation.h.
#include "notation.h"

#include "text_fields.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace quorvin {

namespace {

// The standard details of the game types that the short form of a GameType tag names, and the
// mark their players write between the squares of a capture.
struct TStandardType {
    int Number;
    std::string_view Details;
    std::string_view Name;
    char CaptureMark;
};

constexpr std::array<TStandardType, 14> StandardTypes{{
    {20, "20,W,10,10,N2,0", "International draughts", 'x'},
    {21, "21,B,8,8,N1,0", "English draughts", 'x'},
    {22, "22,W,8,8,N2,1", "Italian draughts", 'x'},
    {23, "23,B,8,8,N1,0", "American pool checkers", 'x'},
    {24, "24,W,8,8,N1,1", "Spanish draughts", 'x'},
    {25, "25,W,8,8,A0,0", "Russian draughts", ':'},
    {26, "26,W,8,8,A0,0", "Brazilian draughts", 'x'},
    {27, "27,W,12,12,N2,0", "Canadian draughts", 'x'},
    {28, "28,W,8,8,N1,1", "Portuguese draughts", 'x'},
    {29, "29,W,8,8,A0,0", "Czech draughts", 'x'},
    {30, "30,W,8,8,A0,0", "Turkish draughts", 'x'},
    {31, "31,B,8,8,N2,0", "Thai draughts", '-'},
    {40, "40,W,10,10,N2,0", "Frisian draughts", 'x'},
    {41, "41,W,10,8,A0,0", "Spantsiretti draughts", ':'},
}};

// The game types whose game collections write every square a capturing piece lands on
// ("c3:e5:g3"): Russian and Czech draughts. The others write the start and the end of a
// capture, and its path only where two captures share them.
constexpr std::array<int, 2> LandingTypes{25, 29};

// The game type of each preset that has a standard notation.
struct TPresetType {
    std::string_view Preset;
    int Number;
};

constexpr std::array<TPresetType, 9> PresetTypes{{
    {"international", 20},
    {"straight", 21},
    {"spanish", 24},
    {"brazilian", 26},
    {"canadian", 27},
    {"russian", 25},
    {"pool", 23},
    {"czech", 29},
    {"italian", 22},
}};

// The names of the rule families in the QuorvinRules tag, by TRules value.
constexpr std::array<std::string_view, RulesCount> RulesNames{
    "Vorna", "International", "Spanish", "Straight", "Russian", "Pool", "Czech", "Italian"};

const TStandardType* FindStandardType(int number) {
    for (const auto& t : StandardTypes)
        if (t.Number == number) return &t;
    return nullptr;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Whether (file, row) is a playing square of a board with this coloring: the program plays
// on a1 unless Coloring is checked.
bool Playable(int file, int row, bool coloring) {
    const int first = (row % 2) == (coloring ? 0 : 1) ? 1 : 2;
    return (file - first) % 2 == 0;
}

int FirstMoverOf(TRules rules) {
    return SwitchesOf(rules).FirstSide;
}

// The taken squares of a move as a set, so that routes taking the same pieces compare equal.
using TTakenSet = std::array<std::uint64_t, 2>;
TTakenSet TakenSet(const TMove& m) {
    TTakenSet set{};
    for (int k = 1; k <= m.CaptureCount; ++k)
        set[m.Captured[k] / 64] |= std::uint64_t{1} << (m.Captured[k] % 64);
    return set;
}

int Sign(int x) {
    return (x > 0) - (x < 0);
}

bool IsSeparator(char c) {
    return c == '-' || c == 'x' || c == 'X' || c == ':';
}

// The text with the long dashes of typeset game collections and the times sign turned into the
// plain "-" and "x".
std::string PlainSeparators(std::string_view text) {
    constexpr std::array<std::pair<std::string_view, char>, 4> marks{{
        {"\xE2\x80\x94", '-'}, // em dash
        {"\xE2\x80\x93", '-'}, // en dash
        {"\xE2\x88\x92", '-'}, // minus sign
        {"\xC3\x97", 'x'},     // times sign
    }};
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [mark, c] : marks)
            if (text.substr(i).starts_with(mark)) {
                plain += c;
                i += mark.size();
                replaced = true;
                break;
            }
        if (!replaced) plain += text[i++];
    }
    return plain;
}

} // namespace

std::string TGameType::Text() const {
    return std::to_string(Number) + "," + (FirstSide == White ? "W" : "B") + "," +
           std::to_string(Width) + "," + std::to_string(Height) + "," + (Algebraic ? "A" : "N") +
           std::to_string(Corner) + "," + std::to_string(Invert);
}

TGameType TGameType::Parse(std::string_view text) {
    const std::string shown = Quoted(text);
    std::vector<std::string_view> fields;
    for (std::string_view rest = Trimmed(text);;) {
        const auto comma = rest.find(',');
        fields.push_back(Trimmed(rest.substr(0, comma)));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    const auto number = ParseNumber(fields[0]);
    if (!number) throw TNotationError("game type " + shown + " does not start with a number");
    if (fields.size() == 1) {
        const TStandardType* standard = FindStandardType(*number);
        if (!standard)
            throw TNotationError("game type " + std::to_string(*number) +
                                 " is unknown; give its full form");
        return Parse(standard->Details);
    }
    if (fields.size() != 5 && fields.size() != 6)
        throw TNotationError("game type " + shown + " has " + std::to_string(fields.size()) +
                             " fields instead of 1, 5 or 6");
    TGameType type;
    type.Number = *number;
    if (fields[1] != "W" && fields[1] != "B")
        throw TNotationError("game type " + shown + ": the first side is not W or B");
    type.FirstSide = fields[1] == "W" ? White : Black;
    const auto width = ParseNumber(fields[2]), height = ParseNumber(fields[3]);
    if (!width || !height)
        throw TNotationError("game type " + shown + ": the board size is not two numbers");
    type.Width = *width;
    type.Height = *height;
    const std::string_view notation = fields[4];
    if (notation.size() != 2 || (notation[0] != 'A' && notation[0] != 'N' && notation[0] != 'S') ||
        notation[1] < '0' || notation[1] > '3')
        throw TNotationError("game type " + shown + ": notation \"" + std::string(notation) +
                             "\" is not A, N or S followed by a corner 0..3");
    if (notation[0] == 'S')
        throw TNotationError("game type " + shown + ": short algebraic notation is not read");
    type.Algebraic = notation[0] == 'A';
    type.Corner = notation[1] - '0';
    if (fields.size() == 6) {
        if (fields[5] != "0" && fields[5] != "1")
            throw TNotationError("game type " + shown + ": the invert flag is not 0 or 1");
        type.Invert = fields[5] == "1" ? 1 : 0;
    } else {
        type.Invert = 0;
    }
    return type;
}

TNotation::TNotation()
    : TNotation(TRules::International, 10, 10, false, "international", TGameType::Parse("20")) {}

TNotation::TNotation(TRules rules, int rows, int files, bool coloring, std::string_view preset,
                     const TGameType& type)
    : GameRules(rules), BoardRowCount(rows), BoardFileCount(files), BoardColoring(coloring),
      Preset(preset), Type(type) {
    if (const TStandardType* standard = FindStandardType(type.Number))
        CaptureMark = standard->CaptureMark;
    Landings =
        std::find(LandingTypes.begin(), LandingTypes.end(), type.Number) != LandingTypes.end();
    // The program's own numbering: row by row from White's home row, files ascending.
    for (int row = 1; row <= rows; ++row)
        for (int file = 1; file <= files; ++file)
            if (Playable(file, row, coloring)) {
                ++Squares;
                Cells[Squares] = {file, row};
                Grid[file][row] = static_cast<std::uint8_t>(Squares);
            }

    // The notation's numbering: square 1 in the corner the game type names, seen from the
    // side that moves first, numbers running along the rows away from it.
    auto number = [&](int corner, std::array<int, MaxSquares + 1>& numbers,
                      std::array<int, MaxSquares + 1>& byNumber) {
        std::array<std::array<int, 2>, MaxSquares + 1> order{}; // (y, x) of each square
        for (int s = 1; s <= Squares; ++s) {
            auto [x, y] = Cells[s];
            if (type.FirstSide == Black) {
                x = files + 1 - x;
                y = rows + 1 - y;
            }
            if (corner == 1 || corner == 3) x = files + 1 - x;
            if (corner >= 2) y = rows + 1 - y;
            order[s] = {y, x};
        }
        std::vector<int> squares;
        for (int s = 1; s <= Squares; ++s) squares.push_back(s);
        std::sort(squares.begin(), squares.end(),
                  [&](int a, int b) { return order[a] < order[b]; });
        for (int n = 1; n <= Squares; ++n) {
            numbers[squares[n - 1]] = n;
            byNumber[n] = squares[n - 1];
        }
        return order;
    };
    const auto order = number(type.Corner, Numbers, ByNumber);
    if (type.Algebraic) {
        // Algebraic names reuse the number table: a square's number is its file and row
        // seen from the corner, packed as row * 16 + file.
        for (int s = 1; s <= Squares; ++s) Numbers[s] = order[s][0] * 16 + order[s][1];
        ByNumber = {};
        number(2, NumericNumbers, ByNumericNumber);
    } else {
        NumericNumbers = Numbers;
        ByNumericNumber = ByNumber;
    }
}

TNotation TNotation::ForBoard(TRules rules, int rows, int files, bool coloring) {
    for (const TPreset& preset : Presets) {
        if (preset.Rules != rules || preset.Rows != rows || preset.Files != files ||
            preset.Coloring != coloring)
            continue;
        for (const TPresetType& t : PresetTypes)
            if (t.Preset == preset.Name)
                return TNotation(rules, rows, files, coloring, preset.Name,
                                 TGameType::Parse(std::to_string(t.Number)));
    }
    TGameType type;
    switch (rules) {
    case TRules::Straight:
        type.Number = 21;
        break;
    case TRules::Spanish:
        type.Number = 24;
        break;
    case TRules::Russian:
        type.Number = 25;
        break;
    case TRules::Pool:
        type.Number = 23;
        break;
    case TRules::Czech:
        type.Number = 29;
        break;
    case TRules::Italian:
        type.Number = 22;
        break;
    case TRules::International:
    case TRules::Vorna:
        type.Number = 20;
        break;
    }
    type.FirstSide = FirstMoverOf(rules);
    type.Width = files;
    type.Height = rows;
    type.Algebraic = false;
    // Square 1 is White's bottom left square, the top right one seen from Black.
    type.Corner = type.FirstSide == White ? 0 : 3;
    const bool cornerPlays =
        type.FirstSide == White ? Playable(1, 1, coloring) : Playable(files, rows, coloring);
    type.Invert = cornerPlays ? 0 : 1;
    return TNotation(rules, rows, files, coloring, {}, type);
}

TNotation TNotation::ForPreset(const TPreset& preset) {
    return ForBoard(preset.Rules, preset.Rows, preset.Files, preset.Coloring);
}

TNotation TNotation::FromGameType(std::string_view gameType, std::string_view rulesName) {
    const TGameType type = TGameType::Parse(gameType);
    TRules rules;
    rulesName = Trimmed(rulesName);
    if (!rulesName.empty()) {
        const auto it = std::find_if(RulesNames.begin(), RulesNames.end(),
                                     [&](std::string_view n) { return EqualNoCase(n, rulesName); });
        if (it == RulesNames.end())
            throw TNotationError(
                "unknown rules \"" + std::string(rulesName) +
                "\" (Vorna, International, Spanish, Straight, Russian, Pool, Czech, Italian)");
        rules = static_cast<TRules>(it - RulesNames.begin());
    } else {
        switch (type.Number) {
        case 20:
        case 26:
        case 27:
            rules = TRules::International;
            break;
        case 21:
            rules = TRules::Straight;
            break;
        case 24:
            rules = TRules::Spanish;
            break;
        case 25:
            rules = TRules::Russian;
            break;
        case 23:
            rules = TRules::Pool;
            break;
        case 29:
            rules = TRules::Czech;
            break;
        case 22:
            rules = TRules::Italian;
            break;
        default: {
            const TStandardType* standard = FindStandardType(type.Number);
            throw TNotationError("game type " + std::to_string(type.Number) +
                                 (standard ? " (" + std::string(standard->Name) + ")" : "") +
                                 " is not played by this program");
        }
        }
    }
    if (type.Width < MinSide || type.Width > MaxSide || type.Height < MinSide ||
        type.Height > MaxSide)
        throw TNotationError("game type " + type.Text() +
                             ": the board must have 4 to 12 rows and " + "4 to 12 files");
    if (FirstMoverOf(rules) != type.FirstSide)
        throw TNotationError("game type " + type.Text() + ": " +
                             (type.FirstSide == White ? "Black" : "White") +
                             " moves first under these rules");
    // The coloring that makes the bottom left corner, seen from the first side, play or not
    // as the invert flag says.
    const int files = type.Width, rows = type.Height;
    const bool coloring =
        (type.FirstSide == White ? Playable(1, 1, false) : Playable(files, rows, false)) ==
        (type.Invert == 1);
    const TNotation board = ForBoard(rules, rows, files, coloring);
    if (board.Type == type) return board;
    return TNotation(rules, rows, files, coloring, {}, type);
}

std::string TNotation::GameTypeTag() const {
    return Standard() ? std::to_string(Type.Number) : Type.Text();
}

std::string TNotation::RulesTag() const {
    return Standard() ? std::string() : std::string(RulesNames[static_cast<int>(GameRules)]);
}

bool TNotation::MatchesGeometry() const {
    return BoardRows == BoardRowCount && BoardFiles == BoardFileCount &&
           BoardColoringFlag == (BoardColoring ? 0 : 1) && SquareCount() == quorvin::SquareCount;
}

TResultStyle TNotation::ResultStyle() const {
    return Type.Number == 20 || Type.Number == 27 ? TResultStyle::International
                                                  : TResultStyle::Default;
}

std::string TNotation::ResultText(TGameResult result) const {
    const bool international = ResultStyle() == TResultStyle::International;
    switch (result) {
    case TGameResult::Draw:
        return international ? "1-1" : "1/2-1/2";
    case TGameResult::WhiteWins:
    case TGameResult::BlackWins: {
        const bool firstWins = (result == TGameResult::WhiteWins) == (Type.FirstSide == White);
        if (international) return firstWins ? "2-0" : "0-2";
        return firstWins ? "1-0" : "0-1";
    }
    case TGameResult::Unknown:
        break;
    }
    return "*";
}

TGameResult TNotation::ParseResult(std::string_view text) const {
    text = Trimmed(text);
    const TGameResult first =
        Type.FirstSide == White ? TGameResult::WhiteWins : TGameResult::BlackWins;
    const TGameResult second =
        Type.FirstSide == White ? TGameResult::BlackWins : TGameResult::WhiteWins;
    if (text == "1-0" || text == "2-0") return first;
    if (text == "0-1" || text == "0-2") return second;
    if (text == "1/2-1/2" || text == "1-1") return TGameResult::Draw;
    return TGameResult::Unknown;
}

std::string TNotation::SquareName(int s) const {
    if (s < 1 || s > Squares) return "?";
    if (!Type.Algebraic) return std::to_string(Numbers[s]);
    const int file = Numbers[s] % 16, row = Numbers[s] / 16;
    return std::string(1, static_cast<char>('a' + file - 1)) + std::to_string(row);
}

int TNotation::SquareNumbered(int n) const {
    return n >= 1 && n <= Squares ? ByNumericNumber[n] : 0;
}

int TNotation::NumberOf(int s) const {
    return s >= 1 && s <= Squares ? NumericNumbers[s] : 0;
}

int TNotation::SquareAt(int file, int row) const {
    if (file < 1 || file > BoardFileCount || row < 1 || row > BoardRowCount) return 0;
    return Grid[file][row];
}

int TNotation::SquareNamed(std::string_view name) const {
    if (name.empty()) return 0;
    const char first = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    if (first >= 'a' && first <= 'z') {
        if (!Type.Algebraic) return 0;
        // Files and rows beyond the board's would overflow the packed number into others.
        const int file = first - 'a' + 1;
        const auto row = ParseNumber(name.substr(1));
        if (!row || *row < 1 || *row > BoardRowCount || file > BoardFileCount) return 0;
        const int code = *row * 16 + file;
        for (int s = 1; s <= Squares; ++s)
            if (Numbers[s] == code) return s;
        return 0;
    }
    const auto n = ParseNumber(name);
    return n ? SquareNumbered(*n) : 0;
}

std::vector<int> TNotation::CapturePath(const TMove& m) const {
    std::vector<int> path{m.From};
    const int n = m.CaptureCount;
    auto direction = [&](int from, int to) {
        return std::array<int, 2>{Sign(Cells[to][0] - Cells[from][0]),
                                  Sign(Cells[to][1] - Cells[from][1])};
    };
    for (int k = 1; k < n; ++k) {
        const auto d = direction(m.Path[k - 1], m.Captured[k]);
        if (direction(m.Path[k], m.Captured[k + 1]) == d) {
            const auto [file, row] = Cells[m.Captured[k]];
            path.push_back(SquareAt(file + d[0], row + d[1]));
        } else {
            path.push_back(m.Path[k]);
        }
    }
    path.push_back(m.Path[n]);
    return path;
}

std::vector<int> TNotation::RouteSquares(const TMove& m) const {
    std::vector<int> route;
    const int legs = m.CaptureCount == 0 ? 1 : m.CaptureCount;
    for (int k = 1; k <= legs; ++k) {
        const int from = m.Path[k - 1], to = m.Path[k];
        const int df = Sign(Cells[to][0] - Cells[from][0]),
                  dr = Sign(Cells[to][1] - Cells[from][1]);
        auto [file, row] = Cells[from];
        while (SquareAt(file, row) != to && SquareAt(file, row) != 0) {
            file += df;
            row += dr;
            const int s = SquareAt(file, row);
            if (s != 0 && (m.CaptureCount == 0 || s != m.Captured[k])) route.push_back(s);
        }
    }
    return route;
}

std::string TNotation::MoveName(const TPosition& p, int index) const {
    const TMove m = p.Moves.GetMove(index);
    if (m.CaptureCount == 0) return SquareName(m.From) + "-" + SquareName(m.To);
    auto joined = [&](const std::vector<int>& squares) {
        std::string text;
        for (const int s : squares) {
            if (!text.empty()) text += CaptureMark;
            text += SquareName(s);
        }
        return text;
    };
    if (Landings)
        return joined(std::vector<int>(m.Path.begin(), m.Path.begin() + m.CaptureCount + 1));
    const TTakenSet taken = TakenSet(m);
    bool ambiguous = false;
    for (int j = 1; j <= p.Moves.Count && !ambiguous; ++j)
        if (j != index && p.Moves.FromOf(j) == m.From && p.Moves.ToOf(j) == m.To &&
            p.Moves.CaptureCountOf(j) > 0)
            ambiguous = TakenSet(p.Moves.GetMove(j)) != taken;
    return ambiguous ? joined(CapturePath(m)) : joined({m.From, m.To});
}

TMoveLookup TNotation::FindMove(const TPosition& p, std::string_view text) const {
    TMoveLookup result;
    text = Trimmed(text);
    // Marks of a move's strength may stay attached to it.
    while (!text.empty() && (text.back() == '!' || text.back() == '?' || text.back() == '*'))
        text.remove_suffix(1);
    const std::string shown = Quoted(text);
    const std::string plain = PlainSeparators(text);
    auto fail = [&](TMoveLookup::TStatus status, const std::string& message) {
        result.Status = status;
        result.Message = message;
        return result;
    };
    auto unreadable = [&] {
        return fail(TMoveLookup::TStatus::Unreadable, shown + " is not a move");
    };

    // The short forms of Russian literature on algebraic boards: the file the piece starts
    // from, then where it goes, "cd4" for a simple move and "c:e5" for a capture.
    std::string_view rest = plain;
    char file = 0;
    bool shortCapture = false;
    if (Type.Algebraic && rest.size() >= 2 && std::isalpha(static_cast<unsigned char>(rest[0])) &&
        !std::isdigit(static_cast<unsigned char>(rest[1]))) {
        file = static_cast<char>(std::tolower(static_cast<unsigned char>(rest[0])));
        if (file < 'a' || file - 'a' >= BoardFileCount) return unreadable();
        rest.remove_prefix(1);
        shortCapture = IsSeparator(rest.front());
        if (shortCapture) rest.remove_prefix(1);
    }

    // The squares: names between separators; algebraic names may also follow each other.
    std::vector<int> squares;
    for (std::size_t i = 0; i < rest.size();) {
        const char c = rest[i];
        if (IsSeparator(c)) {
            if (i == 0 || i + 1 == rest.size() || IsSeparator(rest[i + 1])) return unreadable();
            ++i;
            continue;
        }
        std::size_t end = i;
        if (std::isalpha(static_cast<unsigned char>(c))) ++end;
        while (end < rest.size() && std::isdigit(static_cast<unsigned char>(rest[end]))) ++end;
        const std::string_view name = rest.substr(i, end - i);
        if (end == i || (end == i + 1 && std::isalpha(static_cast<unsigned char>(c))))
            return unreadable();
        const int s = SquareNamed(name);
        if (s == 0)
            return fail(TMoveLookup::TStatus::Unreadable,
                        shown + ": no square " + std::string(name) + " on this board");
        squares.push_back(s);
        i = end;
    }
    // A short simple move names one square; a full move names two or more.
    if (file != 0 ? squares.empty() || (!shortCapture && squares.size() > 1) : squares.size() < 2)
        return unreadable();

    // The squares written between the start and the end.
    const std::vector<int> between(squares.begin() + (file != 0 ? 0 : 1), squares.end() - 1);
    std::vector<int> candidates;
    for (int i = 1; i <= p.Moves.Count; ++i) {
        if (p.Moves.ToOf(i) != squares.back()) continue;
        if (file != 0) {
            if (SquareName(p.Moves.FromOf(i)).front() != file ||
                (p.Moves.CaptureCountOf(i) > 0) != shortCapture)
                continue;
        } else if (p.Moves.FromOf(i) != squares.front()) {
            continue;
        }
        const TMove m = p.Moves.GetMove(i);
        if (!between.empty()) {
            if (m.CaptureCount == 0) continue;
            std::vector<int> route = RouteSquares(m);
            if (!route.empty()) route.pop_back();
            auto at = route.begin();
            bool along = true;
            for (std::size_t k = 0; k < between.size() && along; ++k) {
                at = std::find(at, route.end(), between[k]);
                along = at != route.end();
                if (along) ++at;
            }
            if (!along) continue;
        }
        candidates.push_back(i);
    }
    // A path written as this program writes it, or as the squares the piece lands on, names
    // its move even where the squares of another route also lie along it.
    if (!between.empty() && candidates.size() > 1) {
        std::vector<int> exact;
        for (const int i : candidates) {
            const TMove m = p.Moves.GetMove(i);
            std::vector<int> landings(m.Path.begin(), m.Path.begin() + m.CaptureCount + 1);
            std::vector<int> path = CapturePath(m);
            if (file != 0) {
                landings.erase(landings.begin());
                path.erase(path.begin());
            }
            if (path == squares || landings == squares) exact.push_back(i);
        }
        if (!exact.empty()) candidates = exact;
    }
    if (candidates.empty()) return fail(TMoveLookup::TStatus::Illegal, "illegal move " + shown);
    // Routes of one piece that take the same pieces are one move; anything else that fits is
    // another move, and the text does not say which.
    std::vector<int> distinct;
    for (const int i : candidates) {
        const bool known = std::any_of(distinct.begin(), distinct.end(), [&](int j) {
            return p.Moves.FromOf(j) == p.Moves.FromOf(i) &&
                   TakenSet(p.Moves.GetMove(j)) == TakenSet(p.Moves.GetMove(i));
        });
        if (!known) distinct.push_back(i);
    }
    if (distinct.size() > 1) {
        std::string names;
        for (std::size_t k = 0; k < distinct.size(); ++k) {
            if (k > 0) names += k + 1 == distinct.size() ? " or " : ", ";
            names += MoveName(p, distinct[k]);
        }
        return fail(TMoveLookup::TStatus::Ambiguous,
                    "ambiguous move " + shown + ": it may be " + names);
    }
    result.Status = TMoveLookup::TStatus::Found;
    result.Index = candidates.front();
    return result;
}

} // namespace quorvin
