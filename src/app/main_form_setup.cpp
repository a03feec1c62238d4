// Position setup: the setup panel that takes the command panel's place, the five tools (the
// board shows the tool's cursor while setup lasts), the right-button tool menu, placing a
// tool's piece with a click, and the commands Clear, Delegate move, Arrange initial position
// and Continue play, which makes the edited position the first of a new history.
#include "main_form.h"

#include "draw.h"
#include "human_move.h"
#include "search.h"

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QMenu>
#include <QToolButton>

namespace quorvin {

namespace {

// What each tool puts on a square.
constexpr std::array<TSquare, 5> ToolPiece{EmptySquare, WhiteMan, BlackMan, WhiteKing, BlackKing};

// The command that chooses each tool.
constexpr std::array<TActionId, 5> ToolActions{TActionId::EmptySquare, TActionId::WhitePawn,
                                               TActionId::BlackPawn, TActionId::WhiteKing,
                                               TActionId::BlackKing};

constexpr TActionId ToolAction(TSetupCursor tool) {
    return ToolActions[static_cast<std::size_t>(tool)];
}

} // namespace

void TMainForm::CreateSetupPanel() {
    struct TButtonDef {
        int Row, Column;
        const char* Name;
        TActionId Bound;
    };
    static constexpr std::array<TButtonDef, 9> buttons{{
        {0, 0, "WhitePawnSpeedButton", TActionId::WhitePawn},
        {0, 1, "WhiteKingSpeedButton", TActionId::WhiteKing},
        {0, 2, "EmptySquareSpeedButton", TActionId::EmptySquare},
        {1, 0, "BlackPawnSpeedButton", TActionId::BlackPawn},
        {1, 1, "BlackKingSpeedButton", TActionId::BlackKing},
        {1, 2, "DelegateSpeedButton", TActionId::Delegate},
        {2, 0, "ClearSpeedButton", TActionId::Clear},
        {2, 1, "ArrangeSpeedButton", TActionId::Arrange},
        {2, 3, "ContinueSpeedButton", TActionId::Continue},
    }};
    for (const TButtonDef& def : buttons) {
        QToolButton* button = CreateCommandButton(SetupPanel, def.Name, def.Row, def.Column);
        QAction* action = Action(def.Bound);
        button->setDefaultAction(action);
        // A tool hidden under the rules in force hides its button too.
        connect(action, &QAction::changed, button,
                [button, action] { button->setVisible(action->isVisible()); });
    }
}

void TMainForm::CreateToolMenu() {
    RxPopupMenu = new QMenu(this);
    RxPopupMenu->setObjectName(QStringLiteral("RxPopupMenu"));
    struct TItemDef {
        const char* Name;
        const char* Caption;
        TSetupCursor Tool;
    };
    static constexpr std::array<TItemDef, 5> items{{
        {"PEmptySquare", "&Empty field", TSetupCursor::EmptySquare},
        {"PWhitePawn", "&White checker", TSetupCursor::WhitePawn},
        {"PBlackPawn", "&Black checker", TSetupCursor::BlackPawn},
        {"PWhiteKing", "White king", TSetupCursor::WhiteKing},
        {"PBlackKing", "Black king", TSetupCursor::BlackKing},
    }};
    for (const TItemDef& def : items) {
        if (def.Tool == TSetupCursor::WhitePawn)
            RxPopupMenu->addSeparator()->setObjectName(QStringLiteral("N5"));
        if (def.Tool == TSetupCursor::WhiteKing) {
            NKingDlm = RxPopupMenu->addSeparator();
            NKingDlm->setObjectName(QStringLiteral("NKingDlm"));
        }
        // The menu shows no check marks; the tool in force is drawn in bold instead.
        RxPopupMenu->addAction(
            MirrorAction(def.Name, def.Caption, Action(ToolAction(def.Tool)), TCheckShown::Bold));
    }
}

bool TMainForm::SetupPanelShown() const {
    return !SetupPanel->isHidden();
}

void TMainForm::SetupActionExecute() {
    if (CurrentMode != TMode::Play || !GameRecord) return;
    MainPanel->hide();
    SetupPanel->show();
    SetMode(TMode::Setup);
    UpdateCaption();
    ResetMoveInput();
    ShowLastMove(); // the position being edited follows no move
    ShowMoveList();
    BoardRxDrawGrid->RedrawBoard();
    BoardRxDrawGrid->setEnabled(true);
    GameOver = false;
    ClearForecasts(true, true);
    ChooseTool(TSetupCursor::EmptySquare);
}

void TMainForm::ChooseTool(TSetupCursor tool) {
    CurrentTool = tool;
    BoardRxDrawGrid->setCursor(SetupCursor(tool));
    Action(ToolAction(tool))->setChecked(true);
}

void TMainForm::PlaceTool() {
    if (ClickedSquare == 0 || !GameRecord) return;
    const TSquare piece = ToolPiece[std::size_t(CurrentTool)];
    // A man never stands on its own crowning row.
    if (CurrentTool == TSetupCursor::WhitePawn && PromotionRow[std::size_t(ClickedSquare)][White])
        return;
    if (CurrentTool == TSetupCursor::BlackPawn && PromotionRow[std::size_t(ClickedSquare)][Black])
        return;
    GameRecord->CurrentPosition().Put(ClickedSquare, piece);
    BoardRxDrawGrid->RedrawBoard();
}

void TMainForm::ClearActionExecute() {
    if (CurrentMode != TMode::Setup || !GameRecord) return;
    TPosition& position = GameRecord->CurrentPosition();
    for (int s = 1; s <= SquareCount; ++s) position.Put(s, EmptySquare);
    ResetMoveInput();
    BoardRxDrawGrid->RedrawBoard();
}

void TMainForm::DelegateActionExecute() {
    if (CurrentMode != TMode::Setup || !GameRecord) return;
    TPosition& position = GameRecord->CurrentPosition();
    position.SetSideToMove(position.Opponent);
    UpdateSideIndicators();
}

void TMainForm::ArrangeActionExecute() {
    if (CurrentMode != TMode::Setup || !GameRecord) return;
    RebuildGame();
}

void TMainForm::ContinueActionExecute() {
    if (CurrentMode != TMode::Setup || !GameRecord) return;
    SetupPanel->hide();
    MainPanel->show();
    BoardRxDrawGrid->setCursor(Qt::PointingHandCursor);
    // The edited position becomes the only one: Undo cannot go back past it.
    GameRecord->DropHistory();
    GameRecord->TruncateRedo();
    TPosition& position = GameRecord->CurrentPosition();
    position.ClearMoves();
    position.BudgetFresh = true;
    SetMode(TMode::Play);
    UpdateCaption();
    position.Evaluate();
    ResetMoveInput();
    ShowLastMove();
    ShowMoveList();
    BoardRxDrawGrid->RedrawBoard();
    NextTurn();
}

void TMainForm::RxPopupMenuPopup(QPoint globalPosition) {
    NKingDlm->setVisible(!Settings().IsVornaRules());
    RxPopupMenu->popup(globalPosition);
}

} // namespace quorvin
