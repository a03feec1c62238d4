// Help from the main window: the page goes to the desktop's browser when a launcher takes
// it, and to the program's own help window when none can (missing launcher, or one that
// fails); a missing page is reported instead of nothing happening. The page describes every
// control of every page of the Options dialog and every preset with its rules, and every
// picture it shows is shipped at the size the page gives it.
#include "window_test_support.h"

#include "data_module.h"
#include "help_window.h"
#include "tune_form.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
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

TEST_F(HelpTest, EveryControlOfTheOptionsIsInItsPagesTable) {
    QFile file(ProgramFolder() + QStringLiteral("Quorvin.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    const qsizetype options = page.indexOf(QStringLiteral("<a name=\"options\">"));
    ASSERT_GE(options, 0);
    const auto* tabs = Form->Options().findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 7);
    int controls = 0;
    for (int i = 0; i < tabs->count(); ++i) {
        SCOPED_TRACE(tabs->tabText(i).toStdString());
        // The page's table: from its heading in the Options chapter to the end of the table.
        const qsizetype heading =
            page.indexOf(QStringLiteral("<h3>%1</h3>").arg(tabs->tabText(i)), options);
        ASSERT_GE(heading, 0);
        const qsizetype end = page.indexOf(QStringLiteral("</table>"), heading);
        const QString table = page.mid(heading, end - heading);
        QStringList captions;
        for (const auto* box : tabs->widget(i)->findChildren<QCheckBox*>()) captions << box->text();
        for (const auto* group : tabs->widget(i)->findChildren<QGroupBox*>())
            captions << group->title();
        for (const auto* label : tabs->widget(i)->findChildren<QLabel*>())
            captions << label->text();
        for (const QString& caption : captions) {
            if (caption.isEmpty()) continue;
            ++controls;
            const QString shown = QString(caption).remove(QLatin1Char('&')).toHtmlEscaped();
            EXPECT_TRUE(table.contains(QStringLiteral("<span class=\"ui\">%1</span>").arg(shown)))
                << shown.toStdString();
        }
    }
    EXPECT_GE(controls, 20);
}

TEST_F(HelpTest, EveryPictureOfThePageIsShippedAtItsSize) {
    QFile file(ProgramFolder() + QStringLiteral("Quorvin.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    const QRegularExpression img(
        QStringLiteral(R"re(<img src="([^"]+)" width="(\d+)" height="(\d+)")re"));
    int pictures = 0;
    for (auto it = img.globalMatch(page); it.hasNext();) {
        const auto match = it.next();
        SCOPED_TRACE(match.captured(1).toStdString());
        ++pictures;
        const QImage picture(ProgramFolder() + match.captured(1));
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.width(), match.captured(2).toInt());
        EXPECT_EQ(picture.height(), match.captured(3).toInt());
    }
    EXPECT_EQ(pictures, page.count(QStringLiteral("<img ")));
    // Among them the diagrams of the rules that need one.
    for (const char* name :
         {"russian_crowning", "czech_king_first", "italian_men", "italian_kings"})
        EXPECT_TRUE(page.contains(QStringLiteral("help/%1.png").arg(QLatin1String(name)))) << name;
}

TEST_F(HelpTest, EveryFamilyHasItsRulesSectionAndItsPreset) {
    QFile file(ProgramFolder() + QStringLiteral("Quorvin.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    const qsizetype rules = page.indexOf(QStringLiteral("<a name=\"rules\">"));
    const qsizetype presets = page.indexOf(QStringLiteral("<a name=\"presets\">"));
    const qsizetype menus = page.indexOf(QStringLiteral("<a name=\"menus\">"));
    ASSERT_LT(rules, presets);
    ASSERT_LT(presets, menus);
    const QString rulesChapter = page.mid(rules, presets - rules);
    const QString presetsChapter = page.mid(presets, menus - presets);
    for (int i = 0; i < PresetCount; ++i) {
        const QString name = Form->PresetItem(i)->text().remove(QLatin1Char('&'));
        SCOPED_TRACE(name.toStdString());
        // Its row in the presets' table, and its rules described.
        EXPECT_TRUE(presetsChapter.contains(
            QStringLiteral("<tr><td><span class=\"ui\">%1</span></td>").arg(name)));
        EXPECT_TRUE(
            rulesChapter.contains(QStringLiteral("<span class=\"ui\">%1</span>").arg(name)));
    }
}

} // namespace
} // namespace quorvin::test
