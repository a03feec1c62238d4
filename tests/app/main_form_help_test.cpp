// Help from the main window: the page goes to the desktop's browser when a launcher takes
// it, and to the program's own help window when none can (missing launcher, or one that
// fails); a missing page is reported instead of nothing happening.
#include "window_test_support.h"

#include "data_module.h"
#include "help_window.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

namespace quorvin::test {
namespace {

class HelpTest : public TWindowTest {
  protected:
    void TearDown() override {
        SetHelpLauncher(QString());
        TWindowTest::TearDown();
    }
    THelpWindow* HelpWindow() const { return Form->findChild<THelpWindow*>(); }
    void AskForHelp() {
        QTest::mouseClick(Form->findChild<QToolButton*>("HelpSpeedButton"), Qt::LeftButton);
    }
};

TEST_F(HelpTest, WithoutALauncherThePageOpensInTheProgram) {
    SetHelpLauncher(QStringLiteral("/nonexistent/launcher"));
    AskForHelp();
    ASSERT_TRUE(WaitUntil([this] { return HelpWindow() && HelpWindow()->isVisible(); }));
    const QTextBrowser& browser = HelpWindow()->Browser();
    EXPECT_TRUE(browser.source().toLocalFile().endsWith(QStringLiteral("/Quorvin.html")));
    EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("Quorvin")));
    EXPECT_GT(browser.toPlainText().size(), 10000); // the whole page, not an empty window
    EXPECT_EQ(HelpWindow()->windowTitle(), QStringLiteral("Help"));
    // Asked again, the same window shows the page.
    Form->MenuItem(QStringLiteral("NReference"))->trigger();
    ASSERT_TRUE(WaitUntil([this] { return Form->findChildren<THelpWindow*>().size() == 1; }));
    EXPECT_TRUE(Messages.empty());
}

TEST_F(HelpTest, ALauncherThatFailsLeavesThePageToTheProgram) {
    SetHelpLauncher(QStringLiteral("false"));
    AskForHelp();
    EXPECT_TRUE(WaitUntil([this] { return HelpWindow() && HelpWindow()->isVisible(); }));
}

TEST_F(HelpTest, ALauncherThatTakesThePageOpensNoWindow) {
    SetHelpLauncher(QStringLiteral("true"));
    AskForHelp();
    QTest::qWait(300);
    EXPECT_TRUE(HelpWindow() == nullptr || !HelpWindow()->isVisible());
    EXPECT_TRUE(Messages.empty());
}

TEST_F(HelpTest, AMissingPageIsReported) {
    QTemporaryDir empty;
    OverrideProgramFolder(empty.path());
    AskForHelp();
    OverrideProgramFolder(BuildFolder());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Icon, TMessageIcon::Critical);
    EXPECT_TRUE(Messages[0].Text.contains(QStringLiteral("Quorvin.html")));
    EXPECT_EQ(Form->Mode(), TMode::Play);
}

} // namespace
} // namespace quorvin::test
