// Where the main window stands on the screen, and how it gets there under a window manager.
//
// A window manager frames the window (title bar and borders) only after the window is shown,
// and answers every move and resize in its own time. So the window is placed in its client
// area's coordinates, which need no knowledge of the frame, and placed again once the frame is
// known; the layout pass waits for the frame, and after each request for the window manager's
// answer, so that it never reasons from a geometry that is about to change.
#include "main_form.h"

#include "window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>

namespace quorvin {

namespace {

// How long a newly shown window waits for the window manager's frame before it is laid out
// without one, and how long a move or resize waits for the window manager's answer.
constexpr int FrameWaitMilliseconds = 1000;
constexpr int AnswerWaitMilliseconds = 250;

// Under X11 a window manager frames, moves and resizes the window when it gets to it.
bool WindowManagerAnswers() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

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
        RequestGeometry(client);
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

void TMainForm::WaitForFrame() {
    if (FrameWaitStarted || !WindowManagerAnswers()) return;
    FrameWaitStarted = true;
    AwaitingFrame = true;
    QTimer::singleShot(FrameWaitMilliseconds, this, [this] {
        AwaitingFrame = false;
        ScheduleLayout();
    });
}

bool TMainForm::PlacementWaits() {
    if (AwaitingFrame) {
        if (FrameMargins(*this).isNull()) return true;
        AwaitingFrame = false;
    }
    return RequestedGeometry.has_value();
}

void TMainForm::RequestGeometry(const QRect& client) {
    if (client == geometry()) return;
    setGeometry(client);
    if (!isVisible() || !WindowManagerAnswers()) return;
    // Until the answer comes the window's geometry may still show an older state, from which
    // no further request is made.
    RequestedGeometry = client;
    if (!AnswerTimer) {
        AnswerTimer = new QTimer(this);
        AnswerTimer->setSingleShot(true);
        AnswerTimer->setInterval(AnswerWaitMilliseconds);
        // A window manager that placed the window otherwise has had its say.
        connect(AnswerTimer, &QTimer::timeout, this, [this] {
            RequestedGeometry.reset();
            ScheduleLayout();
        });
    }
    AnswerTimer->start();
}

bool TMainForm::PlacementSettled() const {
    return isVisible() && !LayoutScheduled && !FitPending && !CentrePending && !AwaitingFrame &&
           !RequestedGeometry;
}

bool TMainForm::event(QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::Move || type == QEvent::Resize) && event->spontaneous()) {
        if (RequestedGeometry && geometry() == *RequestedGeometry) {
            RequestedGeometry.reset();
            AnswerTimer->stop();
            ScheduleLayout();
        }
        if (AwaitingFrame) ScheduleLayout();
    }
    // The frame often comes with the activation of the newly shown window.
    if (type == QEvent::WindowActivate && AwaitingFrame) ScheduleLayout();
    return QMainWindow::event(event);
}

} // namespace quorvin
