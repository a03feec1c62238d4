// Waiting for the window manager's answers; see frame_sync.h.
#include "frame_sync.h"

#include "window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

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

} // namespace

TFrameSync::TFrameSync(QWidget& window, std::function<void()> relayout)
    : QObject(&window), Window(window), Relayout(std::move(relayout)) {
    Window.installEventFilter(this);
}

void TFrameSync::WaitForFrame() {
    if (FrameWaitStarted || !WindowManagerAnswers()) return;
    FrameWaitStarted = true;
    AwaitingFrame = true;
    QTimer::singleShot(FrameWaitMilliseconds, this, [this] {
        AwaitingFrame = false;
        Relayout();
    });
}

bool TFrameSync::Waits() {
    if (AwaitingFrame) {
        if (FrameMargins(Window).isNull()) return true;
        AwaitingFrame = false;
    }
    return Requested.has_value();
}

void TFrameSync::RequestGeometry(const QRect& client) {
    if (client == Window.geometry()) return;
    Window.setGeometry(client);
    if (!Window.isVisible() || !WindowManagerAnswers()) return;
    // Until the answer comes the window's geometry may still show an older state, from which
    // no further request is made.
    Requested = client;
    if (!AnswerTimer) {
        AnswerTimer = new QTimer(this);
        AnswerTimer->setSingleShot(true);
        AnswerTimer->setInterval(AnswerWaitMilliseconds);
        // A window manager that placed the window otherwise has had its say.
        connect(AnswerTimer, &QTimer::timeout, this, [this] {
            Requested.reset();
            Relayout();
        });
    }
    AnswerTimer->start();
}

bool TFrameSync::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &Window) return false;
    const QEvent::Type type = event->type();
    if ((type == QEvent::Move || type == QEvent::Resize) && event->spontaneous()) {
        if (Requested && Window.geometry() == *Requested) {
            Requested.reset();
            AnswerTimer->stop();
            Relayout();
        }
        if (AwaitingFrame) Relayout();
    }
    // The frame often comes with the activation of the newly shown window.
    if (type == QEvent::WindowActivate && AwaitingFrame) Relayout();
    return false;
}

} // namespace quorvin
