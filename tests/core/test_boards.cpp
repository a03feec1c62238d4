// Test helpers; see test_boards.h.
#include "test_boards.h"

#include "mathematics.h"
#include "rules.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace quorvin::test {

void UseBoard(int rows, int files, bool coloring) {
    BuildGeometry(rows, files, coloring ? 0 : 1);
}

int SquareOf(int file, int row) {
    for (int s = 1; s <= SquareCount; ++s)
        if (SquareCell[s][0] == file && SquareCell[s][1] == row) return s;
    return 0;
}

std::unique_ptr<TPosition> SetupBoard(TRules rules, int rows, int files, bool coloring,
                                      const std::string& pieces, int sideToMove) {
    UseBoard(rows, files, coloring);
    auto p = CreatePosition(rules);
    for (int s = 1; s <= MaxSquares; ++s) p->Put(s, EmptySquare);
    std::istringstream in(pieces);
    std::string group;
    while (in >> group) {
        const auto colon = group.find(':');
        if (colon != 1) throw std::invalid_argument("bad piece group " + group);
        TSquare kind;
        switch (group[0]) {
        case 'w':
            kind = WhiteMan;
            break;
        case 'W':
            kind = WhiteKing;
            break;
        case 'b':
            kind = BlackMan;
            break;
        case 'B':
            kind = BlackKing;
            break;
        default:
            throw std::invalid_argument("bad piece letter " + group);
        }
        std::istringstream squares(group.substr(2));
        std::string number;
        while (std::getline(squares, number, ',')) {
            const int s = std::stoi(number);
            if (s < 1 || s > SquareCount) throw std::invalid_argument("bad square " + number);
            p->Put(s, kind);
        }
    }
    p->SetSideToMove(sideToMove);
    p->ClearMoves();
    p->BuildValueTable(false);
    p->Evaluate();
    return p;
}

std::string MoveText(const TMove& m, bool withTaken) {
    std::string text = std::to_string(m.Path[0]);
    if (m.CaptureCount == 0) return text + "-" + std::to_string(m.Path[1]);
    for (int k = 1; k <= m.LastIndex; ++k) text.append("x").append(std::to_string(m.Path[k]));
    if (withTaken) {
        text += ":";
        for (int k = 1; k <= m.CaptureCount; ++k)
            text.append(k > 1 ? "," : "").append(std::to_string(m.Captured[k]));
    }
    return text;
}

std::vector<std::string> MoveTexts(const TPosition& p, bool withTaken) {
    std::vector<std::string> texts;
    for (int i = 1; i <= p.Moves.Count; ++i)
        texts.push_back(MoveText(p.Moves.GetMove(i), withTaken));
    return texts;
}

std::vector<std::string> LegalMoves(const TPosition& p, bool withTaken) {
    auto copy = p.Clone();
    copy->Moves.Count = 0;
    copy->ClassifyNode(false);
    auto texts = MoveTexts(*copy, withTaken);
    std::sort(texts.begin(), texts.end());
    return texts;
}

void Scatter(TPosition& p, int whiteMen, int blackMen, int whiteKings, int blackKings) {
    for (int s = 1; s <= SquareCount; ++s) {
        int r = RandomBetween(0, 99);
        p.Put(s, (r -= whiteMen) < 0     ? WhiteMan
                 : (r -= blackMen) < 0   ? BlackMan
                 : (r -= whiteKings) < 0 ? WhiteKing
                 : (r -= blackKings) < 0 ? BlackKing
                                         : EmptySquare);
    }
    p.ClearMoves();
    p.Evaluate();
}

} // namespace quorvin::test
