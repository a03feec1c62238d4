// TAboutForm, the About box: the program's icon, name, version and motto, and an OK button.
// It exists for the whole run and is shown modally from the main menu; its place on the
// screen is kept in the settings file between runs.
#pragma once

#include "lang_file.h"

#include <QDialog>

#include <array>
#include <string>

class QLabel;
class QPushButton;

namespace quorvin {

class TIniFile;
class TWindowPlacement;

// The box's texts, by their place in AboutFormTexts. The version line is put together when
// the main window is activated (VersionLine); the one here shows until then.
enum class TAboutText { Caption, ProgramName, Version, Motto, OK };
inline constexpr std::array<TWindowText, 5> AboutFormTexts = {{
    {"Caption", "About"},
    {"ProgramNameLabel.Caption", "Quorvin"},
    {"VersionStaticText.Caption", "Version " QUORVIN_VERSION},
    {"MottoStaticText.Caption", "On any board by any rule"},
    {"OKBitBtn.Caption", "OK"},
}};

// The word "Version" in the language of the language file, followed by the version number.
QString VersionLine();

class TAboutForm : public QDialog {
    Q_OBJECT

  public:
    // The box's section of the settings file.
    static constexpr const char* Section = "TAboutForm";

    explicit TAboutForm(QWidget* parent = nullptr);

    void SetVersionText(const QString& text);
    QString VersionText() const;

    // The box's placement in its section of the settings file.
    void RestoreState(const TIniFile& ini);
    void SaveState(TIniFile& ini) const;

  private:
    QLabel* Image1;
    QLabel* ProgramNameLabel;
    QLabel* VersionStaticText;
    QLabel* MottoStaticText;
    QPushButton* OKBitBtn;
    TWindowPlacement* Placement;

    void OKBitBtnClick();
};

} // namespace quorvin
