// The splash window: its size and look, that it never takes input, that its texts can be
// translated, and that it stays up until the set time after the start and no longer.
#include "title_form.h"

#include "lang_test_support.h"
#include "waits.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

TEST(TitleForm, AFramelessPictureAboveEverythingThatTakesNoInput) {
    TTitleForm splash;
    EXPECT_EQ(splash.objectName(), "TTitleForm");
    EXPECT_EQ(splash.size(), QSize(648, 407));
    EXPECT_EQ(splash.minimumSize(), splash.maximumSize());
    const Qt::WindowFlags flags = splash.windowFlags();
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowTransparentForInput);
    EXPECT_TRUE(splash.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(splash.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(splash.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());

    const auto* picture = splash.findChild<QLabel*>("Image1");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->size(), QSize(640, 399));
    EXPECT_EQ(picture->pixmap().size(), QSize(640, 399));

    const auto* name = splash.findChild<QLabel*>("NameAndVersionLabel");
    const auto* motto = splash.findChild<QLabel*>("MottoLabel");
    ASSERT_TRUE(name && motto);
    EXPECT_EQ(name->text(), "Quorvin 4");
    EXPECT_EQ(motto->text(), "On any board by any rule");
    EXPECT_EQ(name->font().pixelSize(), 64);
    EXPECT_TRUE(name->font().bold());
    EXPECT_EQ(motto->font().pixelSize(), 43);
    EXPECT_FALSE(motto->font().bold());
    EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(motto->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_FALSE(name->autoFillBackground());
    EXPECT_LT(name->geometry().bottom(), motto->geometry().top());
    EXPECT_TRUE(name->alignment() & Qt::AlignHCenter);
}

TEST(TitleForm, EveryTextCanBeTranslated) {
    TTitleForm splash;
    ExpectEveryTextTranslates(splash, "TitleForm", TitleFormTexts);
}

class SplashWaitTest : public ::testing::Test {
  protected:
    void SetUp() override { SetWaitScale(0.05); } // 4000 ms become 200 ms
    void TearDown() override { SetWaitScale(1.0); }
};

TEST_F(SplashWaitTest, StaysUpUntilTheTimeAfterTheStartServingEvents) {
    const steady_clock::time_point start = steady_clock::now() - milliseconds(50);
    TTitleForm splash;
    bool shownMeanwhile = false;
    // Fires at the first event the wait serves, however slow the machine is at showing.
    QTimer::singleShot(0, [&] { shownMeanwhile = splash.isVisible(); });
    ShowSplash(splash, start);
    const auto elapsed = steady_clock::now() - start;
    EXPECT_TRUE(shownMeanwhile);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_GE(elapsed, milliseconds(200));
    EXPECT_LT(elapsed, milliseconds(1500));
}

TEST_F(SplashWaitTest, GoesAtOnceWhenTheTimeIsAlreadyPast) {
    SetWaitScale(0.25); // 1000 ms, which a wait counted from now instead would take
    TTitleForm splash;
    const steady_clock::time_point before = steady_clock::now();
    ShowSplash(splash, before - milliseconds(2000));
    EXPECT_LT(steady_clock::now() - before, milliseconds(500));
    EXPECT_FALSE(splash.isVisible());
}

} // namespace
} // namespace quorvin::test
