// The board's mouse handler: in play a left click feeds the move input and, when the clicks
// complete a legal move, the move is played and the next turn decided; a right click drops a
// half-entered move. In position setup a left click places the tool's piece and a right click
// opens the tool menu. The handler detaches itself while it runs, because highlighting a square
// waits with events served and a second click must not start a second move meanwhile.
#include "game_settings.h"
#include "main_form.h"
#include "screen_geometry.h"

#include "draw.h"
#include "human_move.h"
#include "search.h"

#include <functional>

namespace quorvin {

namespace {

// Detaches a handler for the lifetime of the scope and attaches it again on every way out.
class TDetached {
  public:
    TDetached(std::function<void()> detach, std::function<void()> attach)
        : Attach(std::move(attach)) {
        detach();
    }
    ~TDetached() {
        if (Attach) Attach();
    }
    TDetached(const TDetached&) = delete;
    TDetached& operator=(const TDetached&) = delete;
    // Attaches now rather than at the end of the scope.
    void Release() {
        if (Attach) Attach();
        Attach = nullptr;
    }

  private:
    std::function<void()> Attach;
};

} // namespace

void TMainForm::AttachMouseHandler() {
    if (MouseHandler) return;
    MouseHandler = connect(BoardRxDrawGrid, &TBoardGrid::MousePressed, this,
                           [this](Qt::MouseButton button, QPoint position) {
                               RunCommand(TWhen::Always, [this, button, position] {
                                   BoardRxDrawGridMouseDown(button, position);
                               });
                           });
}

void TMainForm::DetachMouseHandler() {
    disconnect(MouseHandler);
    MouseHandler = {};
}

void TMainForm::ResetMoveInput() {
    HumanMove->ResetMoveInput();
}

void TMainForm::BoardRxDrawGridMouseDown(Qt::MouseButton button, QPoint position) {
    if (CurrentMode == TMode::Busy || GameOver || !GameRecord || !CommandAllowed()) return;
    TFlowScope flow(*this);
    TDetached detached([this] { DetachMouseHandler(); }, [this] { AttachMouseHandler(); });

    const QPoint cell = BoardRxDrawGrid->MouseToCell(position);
    ClickedSquare = cell.x() < 0 ? 0 : SquareAt(cell.x() + 1, cell.y() + 1, Orientation());
    if (AdviceShown)
        BoardRxDrawGrid->RedrawBoard(); // the marks of the advice go
    else
        BoardRxDrawGrid->DrawSquare(ClickedSquare);
    AdviceShown = false;

    if (CurrentMode == TMode::Setup) {
        // Setup: the left button places the tool's piece, the right one offers the tools.
        if (button == Qt::RightButton)
            RxPopupMenuPopup(BoardRxDrawGrid->mapToGlobal(position));
        else
            PlaceTool();
        return;
    }
    if (button == Qt::RightButton) {
        ResetMoveInput();
        BoardRxDrawGrid->RedrawBoard();
        return;
    }
    int number = 0;
    if (!HumanMove->ClickSquare(ClickedSquare, number)) return;
    SetMode(TMode::Busy);
    ClearForecastsOfSideToMove();
    ApplyMove(number);
    SetMode(TMode::Play);
    detached.Release();
    NextTurn();
}

void TMainForm::RecoverAfterError() {
    if (FlowDepth > 0) return; // the command that failed is still running below us
    Thinking = false;
    ThinkSearchState().ClearStop();
    AttachMouseHandler();
    if (CurrentMode == TMode::Busy) SetMode(TMode::Play);
    if (GameRecord) ResetMoveInput();
}

} // namespace quorvin
