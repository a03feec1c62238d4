// TMoveListPanel: the moves of the game beside the board, numbered as the game's notation
// numbers them, one line per move number with the move of the side that moves first in the
// left column ("1. 32-28 19-23"). The move that led to the position on the board is marked,
// moves of the record ahead of it (the ones Redo brings back) are shown greyed. The panel only
// shows what it is given and reports a click on a move; the main window decides what a click
// does and tells the panel again what to show.
#pragma once

#include <QFrame>
#include <QString>

#include <string>
#include <vector>

class QTableWidget;
class QTableWidgetItem;

namespace quorvin {

// What the panel shows.
struct TMoveListContents {
    // Every move of the record in the notation, the moves ahead of the board included.
    std::vector<std::string> Moves;
    // The first move is made by the side that moves second in the notation (its line then
    // starts with "..." in the left column).
    bool StartsInSecondColumn = false;
    // Moves played up to the position on the board; the last of them is marked.
    int Played = 0;
    // The column headers: the side that moves first, then the other.
    QString FirstSide;
    QString SecondSide;
};

class TMoveListPanel : public QFrame {
    Q_OBJECT

  public:
    // The panel's width in pixels: the window grows by it when the list is shown.
    static constexpr int PanelWidth = 184;

    explicit TMoveListPanel(QWidget* parent = nullptr);

    void ShowMoves(const TMoveListContents& contents);
    // No moves at all, as while a position is set up.
    void Clear();

    // What the panel shows, for the window and the tests.
    int MoveCount() const { return static_cast<int>(Shown.Moves.size()); }
    int LineCount() const;
    // Line `line` (0-based) as it reads: "1. 32-28 19-23", "1. ... 19-23", "12. 28x19".
    QString LineText(int line) const;
    // The index (0-based) of the marked move, -1 when none is marked.
    int MarkedMove() const { return Shown.Played - 1; }
    // The rectangle of move `move` (0-based) in the coordinates of the table's viewport,
    // where a click on it lands.
    QRect MoveRect(int move) const;
    QWidget* Viewport() const;
    // The move's cell is greyed as one ahead of the board.
    bool IsAhead(int move) const { return move >= Shown.Played && move < MoveCount(); }

  signals:
    // A move was clicked; `played` moves lead from the first position to the one after it.
    void MoveChosen(int played);

  private:
    // The cell of move `move` and back; the left cell of the first line is empty when the
    // game starts in the second column.
    int CellIndex(int move) const { return move + (Shown.StartsInSecondColumn ? 1 : 0); }
    int MoveOfCell(int row, int column) const;
    QTableWidgetItem* ItemOfMove(int move) const;
    void CellClicked(int row, int column);

    QTableWidget* Table = nullptr;
    TMoveListContents Shown;
};

} // namespace quorvin
