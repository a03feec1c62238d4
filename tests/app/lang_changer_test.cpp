// The language component on small windows made for the test: each kind of property a
// language file can set reaches the right Qt widget, window and component names match in
// any letter case, and whatever leads nowhere (or a file without translations, or no file at
// all) leaves the English texts in place.
#include "lang_changer.h"
#include "lang_test_support.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace quorvin::test {
namespace {

// A window of the kinds of components the program's windows are made of, each named as the
// window layouts name them.
struct TSampleForm : QWidget {
    explicit TSampleForm(const QString& name = QStringLiteral("TSampleForm")) {
        setObjectName(name);
        setWindowTitle("Sample");
        auto* bar = new QMenuBar(this);
        NGame = bar->addMenu("&Game");
        NGame->setObjectName("NGame");
        NExit = NGame->addAction("E&xit");
        NExit->setObjectName("NExit");
        NRotate = new QAction("&Rotate", this);
        NRotate->setObjectName("NRotate");

        auto* panel = new QWidget(this);
        panel->setObjectName("Panel1");
        InfoLabel = Named(new QLabel("Info", panel), "InfoLabel");
        OKButton = Named(new QPushButton("OK", panel), "OKButton");
        OptionsGroupBox = Named(new QGroupBox("Options", this), "OptionsGroupBox");

        ColorRadioGroup = Named(new QGroupBox("Color", this), "ColorRadioGroup");
        auto* column = new QVBoxLayout(ColorRadioGroup);
        Colors = new QButtonGroup(ColorRadioGroup);
        for (const char* text : {"Red", "Green", "Blue"}) {
            auto* button = new QRadioButton(text, ColorRadioGroup);
            column->addWidget(button);
            Colors->addButton(button, Colors->buttons().size());
        }
        Colors->button(1)->setChecked(true);

        OpponentComboBox = Named(new QComboBox(this), "OpponentComboBox");
        OpponentComboBox->addItems({"At Random", "Kiddy", "Child", "0.01 sec"});
        OpponentComboBox->setCurrentIndex(2);

        PageControl = Named(new QTabWidget(this), "PageControl");
        BrainTabSheet = Named(new QWidget, "BrainTabSheet");
        ViewTabSheet = Named(new QWidget, "ViewTabSheet");
        PageControl->addTab(BrainTabSheet, "Brain");
        PageControl->addTab(ViewTabSheet, "View");

        NotesMemo = Named(new QPlainTextEdit("notes", this), "NotesMemo");
        LengthSpinEdit = Named(new QSpinBox(this), "LengthSpinEdit");
        LengthSpinEdit->setRange(4, 12);
        LengthSpinEdit->setValue(8);
        StepSpinEdit = Named(new QDoubleSpinBox(this), "StepSpinEdit");
        StepSpinEdit->setRange(0, 100);
        NameEdit = Named(new QLineEdit("name", this), "NameEdit");
    }

    template <class T> static T* Named(T* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    }

    QMenu* NGame;
    QAction* NExit;
    QAction* NRotate;
    QLabel* InfoLabel;
    QPushButton* OKButton;
    QGroupBox* OptionsGroupBox;
    QGroupBox* ColorRadioGroup;
    QButtonGroup* Colors;
    QComboBox* OpponentComboBox;
    QTabWidget* PageControl;
    QWidget* BrainTabSheet;
    QWidget* ViewTabSheet;
    QPlainTextEdit* NotesMemo;
    QSpinBox* LengthSpinEdit;
    QDoubleSpinBox* StepSpinEdit;
    QLineEdit* NameEdit;
};

class LangChangerTest : public ::testing::Test {
  protected:
    // Applies a file of these bytes to the target, or to every window without one.
    void Apply(const std::string& bytes, QWidget* target = nullptr) {
        File.Write(bytes);
        Changer.SetLangFile(File.Path());
        Changer.ApplyTranslations(target);
    }
    void Translate(const std::string& lines, QWidget* target = nullptr) {
        Apply("[Translations]\n" + lines, target);
    }

    TTempLangFile File;
    TLangChanger Changer;
    TSampleForm Form;
};

TEST_F(LangChangerTest, CaptionsReachEveryKindOfComponent) {
    Translate("SampleForm.Caption=\xCF\xF0\xE8\xEC\xE5\xF0\n" // Windows-1251
              "SampleForm.NExit.Caption=&Quit\n"
              "SampleForm.NGame.Caption=&Play\n"
              "SampleForm.InfoLabel.Caption=Notice\n"
              "SampleForm.OKButton.Caption=Fine\n"
              "SampleForm.OptionsGroupBox.Caption=Choices\n"
              "SampleForm.ColorRadioGroup.Caption=Colour\n"
              "SampleForm.ViewTabSheet.Caption=Look\n");
    EXPECT_EQ(Form.windowTitle(), "Пример");
    EXPECT_EQ(Form.NExit->text(), "&Quit");
    EXPECT_EQ(Form.NGame->title(), "&Play");
    EXPECT_EQ(Form.InfoLabel->text(), "Notice");
    EXPECT_EQ(Form.OKButton->text(), "Fine");
    EXPECT_EQ(Form.OptionsGroupBox->title(), "Choices");
    EXPECT_EQ(Form.ColorRadioGroup->title(), "Colour");
    EXPECT_EQ(Form.PageControl->tabText(0), "Brain");
    EXPECT_EQ(Form.PageControl->tabText(1), "Look");
}

TEST_F(LangChangerTest, AHintIsTheToolTipAndTheStatusTextOrSplitAtTheBar) {
    Translate("SampleForm.NRotate.Hint=Turn the board\n"
              "SampleForm.OKButton.Hint=Accept|Accept the choices and close\n");
    EXPECT_EQ(Form.NRotate->toolTip(), "Turn the board");
    EXPECT_EQ(Form.NRotate->statusTip(), "Turn the board");
    EXPECT_EQ(Form.OKButton->toolTip(), "Accept");
    EXPECT_EQ(Form.OKButton->statusTip(), "Accept the choices and close");
}

TEST_F(LangChangerTest, ComboItemsAreReplacedQuietlyKeepingTheChoiceWhilePossible) {
    int changes = 0;
    QObject::connect(Form.OpponentComboBox, &QComboBox::currentIndexChanged, [&] { ++changes; });
    Translate("SampleForm.OpponentComboBox.Items= a, b ,c,\n");
    ASSERT_EQ(Form.OpponentComboBox->count(), 3);
    EXPECT_EQ(Form.OpponentComboBox->itemText(0), "a");
    EXPECT_EQ(Form.OpponentComboBox->itemText(1), "b");
    EXPECT_EQ(Form.OpponentComboBox->itemText(2), "c");
    EXPECT_EQ(Form.OpponentComboBox->currentIndex(), 2);

    Translate("SampleForm.OpponentComboBox.Items=x\n");
    EXPECT_EQ(Form.OpponentComboBox->count(), 1);
    EXPECT_EQ(Form.OpponentComboBox->currentIndex(), -1);
    EXPECT_EQ(changes, 0);
}

TEST_F(LangChangerTest, ItemsFollowTheSeparatorBlanksIncluded) {
    Changer.SetSeparator(" ; ");
    Translate("SampleForm.OpponentComboBox.Items=one ; two;three ; four\n");
    ASSERT_EQ(Form.OpponentComboBox->count(), 3);
    EXPECT_EQ(Form.OpponentComboBox->itemText(0), "one");
    EXPECT_EQ(Form.OpponentComboBox->itemText(1), "two;three");
    EXPECT_EQ(Form.OpponentComboBox->itemText(2), "four");
}

TEST_F(LangChangerTest, RadioGroupItemsNameItsButtonsInOrder) {
    const auto buttons = [&] { return Form.Colors->buttons(); };
    Translate("SampleForm.ColorRadioGroup.Items=Rot,Gruen,Blau\n");
    EXPECT_EQ(buttons()[0]->text(), "Rot");
    EXPECT_EQ(buttons()[1]->text(), "Gruen");
    EXPECT_EQ(buttons()[2]->text(), "Blau");
    EXPECT_EQ(Form.Colors->checkedId(), 1);

    // A longer list gets a further button in the group; a shorter one hides the rest.
    Translate("SampleForm.ColorRadioGroup.Items=R,G,B,Y\n");
    ASSERT_EQ(buttons().size(), 4);
    EXPECT_EQ(buttons()[3]->text(), "Y");
    EXPECT_EQ(Form.Colors->id(buttons()[3]), 3);
    EXPECT_EQ(Form.ColorRadioGroup->layout()->indexOf(buttons()[3]), 3);
    Translate("SampleForm.ColorRadioGroup.Items=R,G\n");
    EXPECT_FALSE(buttons()[0]->isHidden());
    EXPECT_FALSE(buttons()[1]->isHidden());
    EXPECT_TRUE(buttons()[2]->isHidden());
    EXPECT_TRUE(buttons()[3]->isHidden());
}

TEST_F(LangChangerTest, LinesFillAMemoAndALabel) {
    Translate("SampleForm.NotesMemo.Lines=first, second\n"
              "SampleForm.InfoLabel.Lines=upper,lower,\n");
    EXPECT_EQ(Form.NotesMemo->toPlainText(), "first\nsecond");
    EXPECT_EQ(Form.InfoLabel->text(), "upper\nlower");
}

TEST_F(LangChangerTest, IntegerPropertiesPlaceAndSizeComponents) {
    Translate("SampleForm.OKButton.Left=17\n"
              "SampleForm.OKButton.Top=23\n"
              "SampleForm.OKButton.Width=91\n"
              "SampleForm.OKButton.Height=29\n"
              "SampleForm.ClientWidth=500\n"
              "SampleForm.ClientHeight=400\n"
              "SampleForm.InfoLabel.Tag=7\n"
              "SampleForm.LengthSpinEdit.Value=10\n"
              "SampleForm.OptionsGroupBox.Constraints.MinWidth=150\n"
              "SampleForm.InfoLabel.Left=12px\n");
    EXPECT_EQ(Form.OKButton->geometry(), QRect(17, 23, 91, 29));
    EXPECT_EQ(Form.size(), QSize(500, 400));
    EXPECT_EQ(Form.InfoLabel->property("Tag").toInt(), 7);
    EXPECT_EQ(Form.LengthSpinEdit->value(), 10);
    EXPECT_EQ(Form.OptionsGroupBox->minimumWidth(), 150);
    EXPECT_EQ(Form.InfoLabel->x(), 0); // no integer: ignored
}

TEST_F(LangChangerTest, FloatPropertiesTakeADotAsADecimalComma) {
    Translate("SampleForm.StepSpinEdit.Value=1.5\n");
    EXPECT_DOUBLE_EQ(Form.StepSpinEdit->value(), 1.5);
    Translate("SampleForm.StepSpinEdit.Value=2,25\n");
    EXPECT_DOUBLE_EQ(Form.StepSpinEdit->value(), 2.25);
    Translate("SampleForm.StepSpinEdit.Value=1.2.3\n");
    EXPECT_DOUBLE_EQ(Form.StepSpinEdit->value(), 2.25);
}

TEST_F(LangChangerTest, OtherTextPropertiesReachTheQtPropertyOfTheSameName) {
    Translate("SampleForm.NameEdit.Text=Ivan\n"
              "SampleForm.OKButton.Enabled=False\n"); // no text, number or list: unchanged
    EXPECT_EQ(Form.NameEdit->text(), "Ivan");
    EXPECT_TRUE(Form.OKButton->isEnabled());
}

TEST_F(LangChangerTest, FontMembersSetWhatQtFontsHave) {
    const QFont before = Form.font();
    Translate("SampleForm.Font.Charset=204\n"
              "SampleForm.Font.Charset=RUSSIAN_CHARSET\n");
    EXPECT_EQ(Form.font(), before);
    Translate("SampleForm.Font.Name=DejaVu Serif\n"
              "SampleForm.Font.Size=14\n"
              "SampleForm.InfoLabel.Font.Height=-20\n"
              "SampleForm.OKButton.Font.Size=big\n");
    EXPECT_EQ(Form.font().family(), "DejaVu Serif");
    EXPECT_EQ(Form.font().pointSize(), 14);
    EXPECT_EQ(Form.InfoLabel->font().pixelSize(), 20);
    EXPECT_EQ(Form.OKButton->font().pointSize(), 14); // inherited from the window only
}

TEST_F(LangChangerTest, WindowAndComponentNamesMatchInAnyLetterCase) {
    Translate("SAMPLEFORM.Caption=Upper\n"
              "sampleform.okbutton.caption=lower\n"
              "SampleForm.INFOLABEL.CAPTION=mixed\n");
    EXPECT_EQ(Form.windowTitle(), "Upper");
    EXPECT_EQ(Form.OKButton->text(), "lower");
    EXPECT_EQ(Form.InfoLabel->text(), "mixed");
}

TEST_F(LangChangerTest, WhatLeadsNowhereIsSkippedAndTheRestApplied) {
    const QStringList before = WindowTexts(Form);
    Translate("NoSuchForm.Caption=x\n"
              "SampleForm.NoSuchButton.Caption=x\n"
              "SampleForm.OKButton.Caption.Text=x\n"
              "SampleForm.OKButton.NoSuchProperty=x\n"
              "SampleForm.Font=x\n"
              "SampleForm.Font.NoSuchMember=x\n"
              "SampleForm.Font.Name.Family=x\n"
              "SampleForm.NExit.Width=50\n"
              "SampleForm.Panel1.Caption=x\n"
              "SampleForm.=x\n"
              "SampleForm=x\n"
              "Caption=x\n");
    EXPECT_EQ(WindowTexts(Form), before);
    Translate("NoSuchForm.Caption=x\n"
              "SampleForm.OKButton.Caption=after\n");
    EXPECT_EQ(Form.OKButton->text(), "after");
}

TEST_F(LangChangerTest, WithoutATargetEveryWindowOfTheNameChangesShownOrNot) {
    TSampleForm second;
    TSampleForm other(QStringLiteral("TOtherForm"));
    Form.show();
    Translate("SampleForm.OKButton.Caption=both\n"
              "OtherForm.OKButton.Caption=other\n");
    EXPECT_EQ(Form.OKButton->text(), "both");
    EXPECT_EQ(second.OKButton->text(), "both");
    EXPECT_EQ(other.OKButton->text(), "other");
}

TEST_F(LangChangerTest, WithATargetOnlyThatWindowChanges) {
    TSampleForm second;
    TSampleForm other(QStringLiteral("TOtherForm"));
    Translate("SampleForm.OKButton.Caption=target\n"
              "OtherForm.OKButton.Caption=other\n",
              &second);
    EXPECT_EQ(second.OKButton->text(), "target");
    EXPECT_EQ(Form.OKButton->text(), "OK");
    EXPECT_EQ(other.OKButton->text(), "OK");
}

TEST_F(LangChangerTest, AFileWithOnlyMessagesChangesNoWindow) {
    const QStringList before = WindowTexts(Form);
    Apply("[Messages]\nWhite=\xC1\xE5\xEB\xFB\xE5\nSampleForm.Caption=x\n");
    EXPECT_EQ(WindowTexts(Form), before);
    EXPECT_EQ(Changer.TranslateText("White"), "Белые");
    EXPECT_EQ(Changer.TranslateText("Black"), "Black");
}

TEST_F(LangChangerTest, WithoutTheFileEverythingStaysEnglish) {
    const QStringList before = WindowTexts(Form);
    Changer.SetLangFile(File.Path() + " "); // never written; the blank is trimmed off
    Changer.ApplyTranslations();
    EXPECT_EQ(WindowTexts(Form), before);
    EXPECT_EQ(Changer.TranslateText("White"), "White");
    Changer.SetLangFile("  ");
    EXPECT_EQ(Changer.LangFile(), "");
    File.Write("[Translations]\nSampleForm.Caption=x\n[Messages]\nWhite=y\n");
    Changer.ApplyTranslations();
    EXPECT_EQ(WindowTexts(Form), before);
    EXPECT_EQ(Changer.TranslateText("White"), "White");
}

TEST_F(LangChangerTest, PropertiesOfTheComponent) {
    EXPECT_EQ(Changer.Separator(), ",");
    Changer.setProperty("Separator", "  ");
    EXPECT_EQ(Changer.Separator(), ",");
    Changer.setProperty("LangFile", " /x/Russian.lng ");
    EXPECT_EQ(Changer.property("LangFile").toString(), "/x/Russian.lng");
}

TEST(TranslateText, GoesThroughTheProgramsLanguageComponent) {
    TTempLangFile file;
    file.Write("[Messages]\nVersion=\xC2\xE5\xF0\xF1\xE8\xFF\n");
    EXPECT_EQ(TranslateText("Version"), "Version");
    LangChanger().SetLangFile(file.Path());
    EXPECT_EQ(TranslateText("Version"), "Версия");
    EXPECT_EQ(TranslateText("Quorvin"), "Quorvin");
    LangChanger().SetLangFile(QString());
    EXPECT_EQ(TranslateText("Version"), "Version");
}

} // namespace
} // namespace quorvin::test
