// Where the main window stands on the screen, and how it gets there under a window manager.
//
// A window manager frames the window (title bar and borders) only after the window is shown,
// and answers every move and resize in its own time. So the window is placed in its client
// area's coordinates, which need no knowledge of the frame, and placed again once the frame is
// known; TFrameSync makes the layout pass wait for the frame, and after each request for the
// window manager's answer, so that it never reasons from a geometry that is about to change.
#include "main_form.h"

#include "frame_sync.h"
#include "window_placement.h"

namespace quorvin {

namespace {

QPoint Corner(const QMargins& margins) {
    return {margins.left(), margins.top()};
}

} // namespace

void TMainForm::ApplyStartPlacement(const QMargins& margins) {
    const QPoint frameTopLeft = StartTopLeft.value_or(geometry().topLeft() - Corner(PlacedMargins));
    PlacedMargins = margins;
    const QRect client(frameTopLeft + Corner(margins),
                       StartFrameSize.shrunkBy(margins).expandedTo(QSize(1, 1)));
    if (isVisible())
        FrameSync->RequestGeometry(client);
    else
        setGeometry(client);
    // From a place off the work area the layout pass brings the window back onto it; without
    // a stored place it centres the window once it has hugged the board.
    FitPending = true;
    CentrePending = !StartTopLeft;
    FitOrigin = StartTopLeft;
}

void TMainForm::FrameChanged(const QMargins& margins) {
    // The window manager has framed the window, or framed it anew (as after a maximise): the
    // start-up placement is made again for the frame's true size, and the whole frame, title
    // bar included, is brought back into the work area.
    if (StartPlacementPending) ApplyStartPlacement(margins);
    if (!margins.isNull()) StartPlacementPending = false;
    PlacedMargins = margins;
    FitPending = true;
    ScheduleLayout();
}

bool TMainForm::PlacementSettled() const {
    return isVisible() && !LayoutScheduled && !FitPending && !CentrePending && FrameSync->Settled();
}

} // namespace quorvin
