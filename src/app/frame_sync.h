// The window manager's side of placing a window. A window manager frames a window (title bar
// and borders) only after it is shown, and answers every move and resize in its own time; a
// layout pass that reasoned from the geometry in between would place the window by a state
// about to change. TFrameSync asks for geometries, notices the answers and the frame, and
// tells the layout pass when it must wait.
#pragma once

#include <QObject>
#include <QRect>

#include <functional>
#include <optional>

class QTimer;
class QWidget;

namespace quorvin {

class TFrameSync : public QObject {
  public:
    // relayout runs whenever an answer or the frame has come, or waiting for it is over.
    TFrameSync(QWidget& window, std::function<void()> relayout);

    // After the window is first shown: the layout pass waits a while for the frame.
    void WaitForFrame();
    // The layout pass must wait: for the frame, or for the answer to a move or resize.
    bool Waits();
    // Moves and resizes the window's client area; a window manager's answer is awaited.
    void RequestGeometry(const QRect& client);
    // Nothing is awaited.
    bool Settled() const { return !AwaitingFrame && !Requested; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& Window;
    std::function<void()> Relayout;
    bool FrameWaitStarted = false;
    bool AwaitingFrame = false;     // shown, but not yet framed by the window manager
    std::optional<QRect> Requested; // asked of the window manager, not yet answered
    QTimer* AnswerTimer = nullptr;
};

} // namespace quorvin
