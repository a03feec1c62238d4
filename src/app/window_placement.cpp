// Window placement keys and frames; see window_placement.h.
#include "window_placement.h"

#include "ini_file.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <array>

namespace quorvin {

namespace {

// How long after it is shown a window's frame may still be put right.
constexpr qint64 FrameWaitMilliseconds = 1000;

std::string Quadruple(int a, int b, int c, int d) {
    return QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d).toStdString();
}

// Where a frame goes along one axis: centred when it sticks out on either side.
int FitEdge(int start, int length, int areaStart, int areaLength) {
    if (start < areaStart || start + length > areaStart + areaLength)
        return areaStart + (areaLength - length) / 2;
    return start;
}

// The size a window not yet shown will have: what it was given, or what its layout asks.
QSize ExpectedSize(const QWidget& window) {
    if (window.testAttribute(Qt::WA_Resized)) return window.size();
    window.ensurePolished();
    return window.sizeHint().expandedTo(window.minimumSize()).boundedTo(window.maximumSize());
}

} // namespace

void WritePlacement(TIniFile& ini, const std::string& section, const std::optional<QRect>& frame,
                    int pixelsPerInch) {
    ini.Write(section, "FormVersion", "0");
    ini.Write(section, "Flags", "0");
    ini.Write(section, "ShowCmd", "1");
    ini.Write(section, "PixelsPerInch", std::to_string(pixelsPerInch));
    ini.Write(section, "MinMaxPos", Quadruple(-1, -1, -1, -1));
    if (frame)
        ini.Write(section, "NormPos",
                  Quadruple(frame->left(), frame->top(), frame->left() + frame->width(),
                            frame->top() + frame->height()));
}

std::optional<QRect> ReadNormalPosition(const TIniFile& ini, const std::string& section) {
    const auto text = ini.Read(section, "NormPos");
    if (!text) return std::nullopt;
    const QStringList parts = QString::fromStdString(*text).split(QLatin1Char(','));
    if (parts.size() != 4) return std::nullopt;
    std::array<int, 4> edges{};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        edges[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
    }
    // The right and bottom edges lie just outside the frame.
    return QRect(QPoint(edges[0], edges[1]),
                 QSize(std::max(1, edges[2] - edges[0]), std::max(1, edges[3] - edges[1])));
}

QRect CentredFrame(const QSize& frame, const QRect& area) {
    return QRect(QPoint(area.left() + (area.width() - frame.width()) / 2,
                        area.top() + (area.height() - frame.height()) / 2),
                 frame);
}

QRect FitFrameInto(const QRect& frame, const QRect& area) {
    return QRect(QPoint(FitEdge(frame.left(), frame.width(), area.left(), area.width()),
                        FitEdge(frame.top(), frame.height(), area.top(), area.height())),
                 frame.size());
}

QRect PullFrameInto(const QRect& frame, const QRect& area) {
    const int left = std::clamp(frame.left(), area.left(),
                                std::max(area.left(), area.right() + 1 - frame.width()));
    const int top = std::clamp(frame.top(), area.top(),
                               std::max(area.top(), area.bottom() + 1 - frame.height()));
    return QRect(QPoint(left, top), frame.size());
}

QMargins FrameMargins(const QWidget& window) {
    // The window system is asked afresh: the window manager may have framed the window since
    // the widget last heard of it. It forgets the frame once the window is hidden.
    if (const QWindow* handle = window.isWindow() ? window.windowHandle() : nullptr) {
        const QMargins margins = handle->frameMargins();
        if (!margins.isNull()) return margins;
    }
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

QRect WorkAreaOf(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

TWindowPlacement::TWindowPlacement(QWidget& window, std::string section)
    : QObject(&window), Window(window), Section(std::move(section)) {
    window.installEventFilter(this);
}

std::optional<QRect> TWindowPlacement::Read(const TIniFile& ini) {
    Stored = ReadNormalPosition(ini, Section);
    return Stored;
}

void TWindowPlacement::Restore(const TIniFile& ini) {
    Wanted.reset();
    if (!Read(ini)) return;
    // A place on a screen that is gone is not used; one partly off the work area is pulled
    // back onto it. The file keeps its entry until the window is shown.
    const QScreen* screen = QGuiApplication::screenAt(Stored->center());
    if (!screen) return;
    Wanted = PullFrameInto(*Stored, screen->availableGeometry()).topLeft();
    Window.move(*Wanted);
}

void TWindowPlacement::PlaceClient(const QMargins& margins) {
    const QRect client(*Wanted + QPoint(margins.left(), margins.top()), Window.size());
    if (client != Window.geometry()) Window.setGeometry(client);
    // The place is the window's own: a dialog is not centred on its parent again.
    Window.setAttribute(Qt::WA_Moved);
}

QMargins TWindowPlacement::FrameGuess() const {
    const QMargins own = FrameMargins(Window);
    if (!own.isNull() || !Window.parentWidget()) return own;
    return FrameMargins(*Window.parentWidget()->window());
}

QRect TWindowPlacement::Frame() const {
    if (Window.isVisible()) return Window.geometry().marginsAdded(FrameMargins(Window));
    if (LastFrame) return *LastFrame;
    if (Stored) return *Stored;
    return CentredFrame(ExpectedSize(Window).grownBy(FrameGuess()), WorkAreaOf(Window));
}

void TWindowPlacement::Save(TIniFile& ini) const {
    WritePlacement(ini, Section, Frame(), Window.logicalDpiY());
}

bool TWindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &Window) return QObject::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type == QEvent::Show) {
        Shown = true;
        if (Wanted) PlaceOnShow();
    } else if (type == QEvent::Hide) {
        // Shown again, the window comes back where it was left.
        StopWaiting();
        LastFrame = Window.geometry().marginsAdded(FrameMargins(Window));
        Wanted = LastFrame->topLeft();
    } else if (AwaitingFrame) {
        // Once framed, the frame's corner is put right if the guess was wrong: a moment after
        // the window is mapped, when the window manager has had its say, and not after the
        // program or the user moved the window.
        const bool news =
            ((type == QEvent::Move || type == QEvent::Resize) && event->spontaneous()) ||
            type == QEvent::WindowActivate;
        const bool late = SinceShown.elapsed() >= FrameWaitMilliseconds;
        if (news && !late) {
            const QMargins margins = FrameMargins(Window);
            if (!margins.isNull()) {
                if (Window.geometry().topLeft() - QPoint(margins.left(), margins.top()) != *Wanted)
                    PlaceClient(margins);
                StopWaiting();
            }
        } else if (late || (type == QEvent::Move && !event->spontaneous())) {
            StopWaiting();
        }
    }
    return QObject::eventFilter(watched, event);
}

void TWindowPlacement::PlaceOnShow() {
    // The window is about to be mapped: its client area goes where the frame's corner should
    // be plus the frame's margins. A window manager may not take a frame's corner from a
    // window it has not framed yet; until then the margins are those of the main window.
    const QMargins own = FrameMargins(Window);
    PlaceClient(own.isNull() ? FrameGuess() : own);
    if (!own.isNull()) {
        Wanted.reset();
        return;
    }
    AwaitingFrame = true;
    SinceShown.start();
}

void TWindowPlacement::StopWaiting() {
    AwaitingFrame = false;
    Wanted.reset();
}

} // namespace quorvin
