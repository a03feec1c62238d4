// Language-file helpers of the app tests; see lang_test_support.h.
#include "lang_test_support.h"

#include "lang_changer.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>

namespace quorvin::test {

void TTempLangFile::Write(const std::string& bytes) const {
    std::ofstream(Path().toStdString(), std::ios::binary | std::ios::trunc) << bytes;
}

QStringList WindowTexts(const QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const QObject* o : window.findChildren<QObject*>()) {
        if (const auto* w = qobject_cast<const QWidget*>(o); w && !w->toolTip().isEmpty())
            texts << w->toolTip();
        if (const auto* label = qobject_cast<const QLabel*>(o)) texts << label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(o)) texts << button->text();
        if (const auto* box = qobject_cast<const QGroupBox*>(o)) texts << box->title();
        if (const auto* menu = qobject_cast<const QMenu*>(o)) texts << menu->title();
        if (const auto* action = qobject_cast<const QAction*>(o))
            texts << action->text() << action->toolTip();
        if (const auto* tabs = qobject_cast<const QTabWidget*>(o))
            for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
        if (const auto* combo = qobject_cast<const QComboBox*>(o))
            for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    }
    return texts;
}

void ExpectEveryTextTranslates(QWidget& window, std::string_view formName,
                               std::span<const TWindowText> table) {
    const QStringList before = WindowTexts(window);
    std::string file = "[Translations]\n";
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_TRUE(before.contains(EnglishText(table[i]))) << table[i].English;
        file += std::string(formName) + "." + std::string(table[i].Path) + "=" + std::to_string(i) +
                ":" + std::string(table[i].English) + "\n";
    }
    TTempLangFile lang;
    lang.Write(file);
    LangChanger().SetLangFile(lang.Path());
    LangChanger().ApplyTranslations(&window);
    LangChanger().SetLangFile(QString());

    const QStringList after = WindowTexts(window);
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_TRUE(after.contains(QString::number(i) + ":" + EnglishText(table[i])))
            << table[i].Path;
        EXPECT_FALSE(after.contains(EnglishText(table[i]))) << table[i].English;
    }
}

} // namespace quorvin::test
