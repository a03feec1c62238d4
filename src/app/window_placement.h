// The placement keys that every stored window writes into its own section of the settings
// file (FormVersion, Flags, ShowCmd, PixelsPerInch, MinMaxPos and NormPos: left, top, right
// and bottom of the window with its frame), in the formats the file has always had, so that
// the main window and the dialogs store their places alike; and the frame arithmetic that
// keeps a window, title bar included, inside the screen's work area.
//
// A window's frame is what the window manager puts around it. Its size is known only once the
// window has been shown and decorated; until then the frame is taken to be the window itself.
#pragma once

#include <QElapsedTimer>
#include <QMargins>
#include <QObject>
#include <QRect>

#include <optional>
#include <string>

class QWidget;

namespace quorvin {

class TIniFile;

// Writes the placement of a normally shown window whose frame is `frame`; without a frame
// NormPos is left as it was.
void WritePlacement(TIniFile& ini, const std::string& section, const std::optional<QRect>& frame,
                    int pixelsPerInch);

// The frame stored under NormPos as "left,top,right,bottom", when present and well-formed.
std::optional<QRect> ReadNormalPosition(const TIniFile& ini, const std::string& section);

// A frame of this size in the middle of the area.
QRect CentredFrame(const QSize& frame, const QRect& area);
// The frame moved into the area: along each axis where an edge lies outside, it is centred
// (the window's own fit); a frame larger than the area is not made smaller.
QRect FitFrameInto(const QRect& frame, const QRect& area);
// The frame pushed the shortest way onto the area, its left and top edges first.
QRect PullFrameInto(const QRect& frame, const QRect& area);

// What the window manager's frame adds around the window: nothing before it is decorated,
// and what the widget last knew once the window is hidden again.
QMargins FrameMargins(const QWidget& window);
// The work area of the screen that shows the window (or will show it): the desktop without
// its panels, the whole screen when the system does not say.
QRect WorkAreaOf(const QWidget& window);

// The stored placement of one window, kept in the window's section: what the file says is
// read once, and written back as it came unless the window was shown in this run, when its
// own frame is written. A window that was never shown and had no placement in the file gets
// one centred on its screen's work area. Owned by the window it watches.
class TWindowPlacement : public QObject {
  public:
    TWindowPlacement(QWidget& window, std::string section);

    // Reads NormPos; answers the frame found there.
    std::optional<QRect> Read(const TIniFile& ini);
    // Reads NormPos and, when the frame it names lies on some screen, moves the window there,
    // pulled onto that screen's work area as a whole. Used by the dialogs, whose size is their
    // own and whose place is the user's.
    void Restore(const TIniFile& ini);
    void Save(TIniFile& ini) const;

    bool WasShown() const { return Shown; }
    // The frame the window has or would have: its own once shown, otherwise the stored one or
    // the centred default.
    QRect Frame() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The frame's margins as far as known: the window's own once framed, before that those of
    // the window it belongs to.
    QMargins FrameGuess() const;
    // Puts the client area where a frame with these margins has its corner at Wanted.
    void PlaceClient(const QMargins& margins);
    void PlaceOnShow();
    void StopWaiting();

    QWidget& Window;
    std::string Section;
    std::optional<QRect> Stored;
    std::optional<QRect> LastFrame; // the frame when the window was last hidden
    // Where the frame's corner goes at the next show: the restored place, or where the
    // window was when it was hidden.
    std::optional<QPoint> Wanted;
    bool Shown = false;
    bool AwaitingFrame = false; // placed by a guess of the frame, not yet framed
    QElapsedTimer SinceShown;
};

} // namespace quorvin
