// The move list beside the board as the main window runs it: "Move list" of the Board menu
// shows or hides it (stored in the settings, off at first, so that the window keeps its plain
// look until a person asks), the list is filled from the game record whenever the record or
// its cursor moves, and a click on a move walks the record there as Undo and Redo do.
#include "game_settings.h"
#include "main_form.h"

#include "move_list_panel.h"
#include "pdn.h"

#include <QAction>
#include <QToolButton>

#include <algorithm>

namespace quorvin {

void TMainForm::CreateMoveList() {
    NMoveList = new QAction(QStringLiteral("&Move list"), this);
    NMoveList->setObjectName(QStringLiteral("NMoveList"));
    NMoveList->setCheckable(true);
    NMoveList->setChecked(Settings().Checked(TSetting::MoveList));
    // Showing the list is harmless at any time; while the engine thinks the list is filled
    // once its move is played.
    connect(NMoveList, &QAction::triggered, this,
            [this] { RunCommand(TWhen::Always, [this] { NMoveListClick(); }); });
    // A click on a move walks the record there as Undo and Redo do.
    connect(MoveListPanel, &TMoveListPanel::MoveChosen, this, [this](int played) {
        RunCommand(TWhen::Idle, [this, played] { Flow.GoToMove(played); });
    });
    // The window is not on screen yet: its first size already counts the list.
    MoveListPanel->setVisible(Settings().Checked(TSetting::MoveList));
}

bool TMainForm::MoveListShown() const {
    return !MoveListPanel->isHidden();
}

void TMainForm::NMoveListClick() {
    Settings().Set(TSetting::MoveList, NMoveList->isChecked() ? 1 : 0);
    SetMoveListShown(Settings().Checked(TSetting::MoveList));
}

void TMainForm::SetMoveListShown(bool shown) {
    NMoveList->setChecked(shown);
    if (shown == MoveListShown()) return;
    const int width = MoveListPanel->width();
    if (shown) {
        MoveListPanel->show();
        if (Flow.Thinking())
            MoveListPanel->Clear(); // filled when the engine's move is played
        else
            ShowMoveList();
        resize(this->width() + width, height());
    } else {
        MoveListPanel->hide();
        setMinimumWidth(std::max(0, minimumWidth() - width));
        resize(this->width() - width, height());
    }
    ScheduleLayout();
}

void TMainForm::ShowMoveList() {
    if (!MoveListShown()) return;
    // The position being set up follows no move, and the record keeps none of it.
    if (!Flow.HasGame() || Flow.Mode() == TMode::Setup) {
        MoveListPanel->Clear();
        return;
    }
    const TNotation notation = NotationForSettings();
    const int first = notation.GameType().FirstSide;
    TMoveListContents contents;
    try {
        contents.Moves = RecordedMoveNames(Flow.Game(), notation);
    } catch (const std::runtime_error&) {
        // A record that is no chain of legal moves shows no moves rather than stop the game.
        contents.Moves.clear();
    }
    contents.StartsInSecondColumn = Flow.Game().Positions(0).SideToMove != first;
    contents.Played = std::min(Flow.Game().Current() - 1, int(contents.Moves.size()));
    const QString white = Translated("White");
    const QString black = Translated("Black");
    contents.FirstSide = first == White ? white : black;
    contents.SecondSide = first == White ? black : white;
    MoveListPanel->ShowMoves(contents);
}

} // namespace quorvin
