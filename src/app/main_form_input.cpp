// The board's mouse handler: in play a left click feeds the move input and, when the clicks
// complete a legal move, the flow plays it and decides the next turn; a right click drops a
// half-entered move. In position setup a left click places the tool's piece and a right click
// opens the tool menu. A click runs as a command of its own: while another one is under way
// (highlighting a square waits with events served) it is refused.
#include "game_settings.h"
#include "main_form.h"
#include "screen_geometry.h"

#include "draw.h"
#include "human_move.h"

namespace quorvin {

namespace {

// What each setup tool puts on a square.
constexpr std::array<TSquare, 5> ToolPiece{EmptySquare, WhiteMan, BlackMan, WhiteKing, BlackKing};

} // namespace

void TMainForm::BoardRxDrawGridMouseDown(Qt::MouseButton button, QPoint position) {
    if (Flow.Mode() == TMode::Busy || Flow.GameOver() || !Flow.HasGame()) return;
    const QPoint cell = BoardRxDrawGrid->MouseToCell(position);
    const int square = cell.x() < 0 ? 0 : SquareAt(cell.x() + 1, cell.y() + 1, Orientation());
    if (Flow.TakeAdviceMarks())
        BoardRxDrawGrid->RedrawBoard(); // the marks of the advice go
    else
        BoardRxDrawGrid->DrawSquare(square);

    if (Flow.Mode() == TMode::Setup) {
        // Setup: the left button places the tool's piece, the right one offers the tools.
        if (button == Qt::RightButton)
            RxPopupMenuPopup(BoardRxDrawGrid->mapToGlobal(position));
        else if (square != 0)
            Flow.Place(square, ToolPiece[std::size_t(CurrentTool)]);
        return;
    }
    if (button == Qt::RightButton) {
        HumanMove->ResetMoveInput();
        BoardRxDrawGrid->RedrawBoard();
        return;
    }
    int number = 0;
    if (HumanMove->ClickSquare(square, number)) Flow.HumanMove(number);
}

} // namespace quorvin
