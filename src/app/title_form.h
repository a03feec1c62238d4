// TTitleForm, the splash window shown while the program starts: the program's picture with
// its name and motto, without a frame, above every other window, taking no input. ShowSplash
// keeps it on screen until a fixed time after the program's start, however long the other
// windows took to make.
#pragma once

#include "lang_file.h"

#include <QWidget>

#include <array>
#include <chrono>

class QFrame;
class QLabel;

namespace quorvin {

// The window's texts, by their place in TitleFormTexts.
enum class TTitleText { NameAndVersion, Motto };
inline constexpr std::array<TWindowText, 2> TitleFormTexts = {{
    {"NameAndVersionLabel.Caption", "Quorvin 4"},
    {"MottoLabel.Caption", "On any board by any rule"},
}};

class TTitleForm : public QWidget {
    Q_OBJECT

  public:
    static constexpr int ClientWidth = 648;
    static constexpr int ClientHeight = 407;

    explicit TTitleForm(QWidget* parent = nullptr);

  private:
    QFrame* Panel1;
    QLabel* Image1;
    QLabel* NameAndVersionLabel;
    QLabel* MottoLabel;
};

// How long after the program's start the splash goes away.
inline constexpr int SplashMilliseconds = 4000;

// Shows the splash and paints it at once, then serves events until `milliseconds` (times the
// wait scale of waits.h) have passed since `start`, and hides it. When that time is already
// past, the splash is hidden at once.
void ShowSplash(TTitleForm& splash, std::chrono::steady_clock::time_point start,
                int milliseconds = SplashMilliseconds);

} // namespace quorvin
