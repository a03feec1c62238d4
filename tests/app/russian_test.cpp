// The shipped Russian translation: applied as the program's start-up applies it, it leaves no
// English text on any window (captions, hints, items, tab texts, menu items), it translates
// every message the program looks up, and every message the sources look up is in the list
// of message keys. Qt's own texts (message box buttons, the file dialog) follow it, no menu
// offers one accelerator letter twice, and no window title gets the program's name appended.
// Also what the language step does with no language file at all.
#include "window_test_support.h"

#include "about_form.h"
#include "file_dialog.h"
#include "lang_changer.h"
#include "lang_file.h"
#include "lang_test_support.h"
#include "language_setup.h"
#include "message_box.h"
#include "message_keys.h"
#include "title_form.h"
#include "tune_form.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include <map>
#include <optional>

namespace quorvin::test {
namespace {

QString RussianFile() {
    return BuildFolder() + QStringLiteral("/languages/Russian.lng");
}

// What may stay in Latin letters: the program's name.
QString WithoutProperNames(QString text) {
    return text.remove(QStringLiteral("Quorvin"));
}

// The letter that chooses a menu text with Alt or in its open menu: the one after a single
// "&", in lower case.
std::optional<char16_t> Accelerator(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i; // "&&" is an ampersand shown
            continue;
        }
        return text[i + 1].toLower().unicode();
    }
    return std::nullopt;
}

// Within each menu of the window (the menu bar, every menu and submenu, the tool menu of
// setup) no accelerator letter is taken twice. Answers how many accelerators were seen.
int ExpectEachAcceleratorOnce(const QWidget& window) {
    std::vector<std::pair<QString, QList<QAction*>>> menus{
        {QStringLiteral("menu bar"), window.findChild<QMenuBar*>()->actions()}};
    for (const QMenu* menu : window.findChildren<QMenu*>())
        menus.emplace_back(menu->objectName(), menu->actions());
    EXPECT_GE(menus.size(), 9u);
    int seen = 0;
    for (const auto& [name, actions] : menus) {
        std::map<char16_t, QString> taken;
        for (const QAction* action : actions) {
            const auto letter = Accelerator(action->text());
            if (!letter) continue;
            ++seen;
            const auto [at, fresh] = taken.emplace(*letter, action->text());
            EXPECT_TRUE(fresh) << name.toStdString() << ": \"" << at->second.toStdString()
                               << "\" and \"" << action->text().toStdString() << "\"";
        }
    }
    return seen;
}

// The texts of the buttons of a button box, in their order on the screen.
QStringList ButtonTexts(const QWidget& dialog) {
    QStringList texts;
    if (const auto* box = dialog.findChild<QDialogButtonBox*>())
        for (const QAbstractButton* button : box->buttons()) texts << button->text();
    return texts;
}

class RussianTest : public TWindowTest {
  protected:
    void TearDown() override {
        ApplyLanguage(QString()); // English again, for the tests that follow
        TWindowTest::TearDown();
    }
    void StartInRussian() {
        Restart({}, [] { ApplyLanguage(RussianFile()); });
    }
};

TEST_F(RussianTest, NoEnglishIsLeftOnAnyWindow) {
    TTitleForm splash;
    StartInRussian();
    ApplyLanguage(RussianFile()); // the splash exists now too
    const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    const std::array<std::pair<const char*, QWidget*>, 4> windows{{{"main window", Form.get()},
                                                                   {"options", &Form->Options()},
                                                                   {"about", &Form->About()},
                                                                   {"splash", &splash}}};
    int texts = 0;
    for (const auto& [name, window] : windows) {
        for (const QString& text : WindowTexts(*window)) {
            ++texts;
            EXPECT_FALSE(WithoutProperNames(text).contains(latin))
                << name << ": \"" << text.toStdString() << "\"";
        }
    }
    EXPECT_GT(texts, 250);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Бразильские шашки"));
    ClickAction(TActionId::Setup);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Расстановка позиции|Бразильские шашки"));
    Form->ChangeSetting(TSetting::Coloring, 1);
    EXPECT_EQ(Form->windowTitle(),
              QStringLiteral("Расстановка позиции|По правилам Международные шашки"));
    Form->ChangeSetting(TSetting::Rules, static_cast<int>(TRules::Italian));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Расстановка позиции|Итальянские шашки"));
    Form->ChangeSetting(TSetting::Rules, static_cast<int>(TRules::Russian));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Расстановка позиции|По правилам Русские шашки"));
}

TEST_F(RussianTest, EveryMessageKeyIsTranslated) {
    const TLangFileContents russian =
        TLangFileContents::Read(QFile::encodeName(RussianFile()).toStdString());
    for (std::string_view key : MessageKeys) {
        const auto translation = russian.Message(std::string(key));
        ASSERT_TRUE(translation.has_value()) << key;
        if (key != "Quorvin") {
            EXPECT_NE(*translation, key);
        }
    }
}

TEST_F(RussianTest, EveryMessageTheSourcesLookUpIsAKey) {
    // The ways a message is looked up: Translated("..."), TranslateText(QStringLiteral("...")),
    // and the engine's translate callbacks t("...").
    const QRegularExpression lookup(
        QStringLiteral(R"re(\b(?:Translated|TranslateText|t)\((?:QStringLiteral\()?"([^"]*)")re"));
    QDirIterator files(QStringLiteral(QUORVIN_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                       QDirIterator::Subdirectories);
    int found = 0;
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = lookup.globalMatch(text); match.hasNext();) {
            const std::string key = match.next().captured(1).toStdString();
            ++found;
            EXPECT_NE(std::find(MessageKeys.begin(), MessageKeys.end(), key), MessageKeys.end())
                << "\"" << key << "\" in " << file.fileName().toStdString()
                << " is not in the list of message keys";
        }
    }
    EXPECT_GT(found, 20);
}

TEST_F(RussianTest, MessagesAndTheAboutBoxSpeakRussian) {
    StartInRussian();
    EXPECT_EQ(Form->About().VersionText(), QStringLiteral("Версия 4.02"));
    ClickAction(TActionId::Setup);
    ClickAction(TActionId::Clear);
    ClickAction(TActionId::Continue);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].Caption, QStringLiteral("Сообщение"));
    EXPECT_EQ(Messages[0].Text, QStringLiteral("Игра окончена. Белые проиграли."));
}

TEST_F(RussianTest, TheLevelListsKeepTheStoredLevels) {
    Settings().Set(TSetting::OpponentLevel, 8);
    StartInRussian();
    auto* list = Form->Options().findChild<QComboBox*>(QStringLiteral("OpponentComboBox"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentIndex(), 8);
    EXPECT_EQ(list->count(), 14);
    EXPECT_EQ(list->currentText(), QStringLiteral("0.5 сек/ход"));
    EXPECT_EQ(list->itemText(13), QStringLiteral("Мастер"));
}

TEST_F(RussianTest, EveryMenuTakesEachAcceleratorOnce) {
    EXPECT_GT(ExpectEachAcceleratorOnce(*Form), 45);
    StartInRussian();
    ASSERT_EQ(Form->MenuItem(QStringLiteral("NExit"))->text(), QStringLiteral("&Выход"));
    EXPECT_GT(ExpectEachAcceleratorOnce(*Form), 45);
}

TEST_F(RussianTest, NoWindowTitleGetsTheProgramsNameAppended) {
    // Qt's X11 platform appends the application display name to every window title that does
    // not end with it, once that name has been set; a name never set follows the application
    // name. The program's title goes to the main window's icon text instead.
    for (const QString& file : {QString(), RussianFile()}) {
        SCOPED_TRACE(file.toStdString());
        Restart({}, [&file] { ApplyLanguage(file); });
        const QString name = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("Probe"));
        EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Probe"));
        QCoreApplication::setApplicationName(name);
        EXPECT_EQ(Form->windowIconText(), QStringLiteral("Quorvin"));
    }
    EXPECT_EQ(Form->Options().windowTitle(), QStringLiteral("Настройки"));
    EXPECT_EQ(Form->About().windowTitle(), QStringLiteral("О программе"));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Бразильские шашки"));
}

TEST_F(RussianTest, QtsOwnTextsFollowTheLanguageOfTheFile) {
    struct TCase {
        QString File;
        QStringList YesNo;
        QString OpenDialogCaption;
        QString Cancel;
        QLocale::Language Language; // of Qt's sizes and dates
    };
    const QLocale::Language english = QLocale().language(); // the test machine's
    const std::array<TCase, 2> cases{{
        {QString(),
         {QStringLiteral("&Yes"), QStringLiteral("&No")},
         QStringLiteral("Open"),
         QStringLiteral("Cancel"),
         english},
        {RussianFile(),
         {QStringLiteral("&Да"), QStringLiteral("&Нет")},
         QStringLiteral("Открыть"),
         QStringLiteral("Отмена"),
         QLocale::Russian},
    }};
    SetMessageHandler({}); // the real boxes and dialogs, answered below
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.File.toStdString());
        Restart({}, [&c] { ApplyLanguage(c.File); });
        EXPECT_EQ(QLocale().language(), c.Language);

        QString caption;
        QStringList buttons;
        When([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
             [&caption, &buttons] {
                 auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                 caption = box->windowTitle();
                 buttons = ButtonTexts(*box);
                 box->button(QMessageBox::No)->click();
             });
        const TMessageAnswer answer =
            ShowMessage(Form.get(), {QStringLiteral("Confirmation"), QStringLiteral("?"),
                                     TMessageIcon::Question, TMessageButtons::YesNo});
        EXPECT_EQ(answer, TMessageAnswer::No);
        EXPECT_EQ(caption.toStdString(), "Confirmation"); // exactly the caption given
        buttons.sort();
        QStringList expected = c.YesNo;
        expected.sort();
        EXPECT_EQ(buttons.join(QLatin1Char(' ')).toStdString(),
                  expected.join(QLatin1Char(' ')).toStdString());

        QString dialogCaption;
        QStringList dialogButtons;
        When([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); },
             [&dialogCaption, &dialogButtons] {
                 auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                 dialogCaption = dialog->windowTitle();
                 dialogButtons = ButtonTexts(*dialog);
                 dialog->reject();
             });
        EXPECT_TRUE(
            AskFileName(Form.get(), {TFileDialogKind::Open, QStringLiteral("Positions (*.qvp)"),
                                     QStringLiteral("qvp")})
                .isEmpty());
        EXPECT_EQ(dialogCaption.toStdString(), c.OpenDialogCaption.toStdString());
        EXPECT_TRUE(dialogButtons.contains(c.Cancel)) << dialogButtons.join(' ').toStdString();
    }
}

TEST_F(RussianTest, WithoutALanguageFileEverythingStaysEnglish) {
    Restart({}, [] { ApplyLanguage(BuildFolder() + QStringLiteral("/absent/Russian.lng")); });
    EXPECT_EQ(Form->windowIconText(), QStringLiteral("Quorvin"));
    EXPECT_EQ(Form->About().VersionText(), QStringLiteral("Version 4.02"));
    EXPECT_EQ(Form->MenuItem(QStringLiteral("NExit"))->text(), QStringLiteral("E&xit"));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Brazilian checkers"));
    EXPECT_EQ(SideNames[0], "White");
}

} // namespace
} // namespace quorvin::test
