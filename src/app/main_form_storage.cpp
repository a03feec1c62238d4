// The main window's own section of the settings file: its placement, the sound switch and
// its size, so that the next start opens where and as large as the window was left (but
// never larger than the screen's work area).
#include "main_form.h"

#include "about_form.h"
#include "ini_file.h"
#include "tune_form.h"
#include "window_placement.h"

#include <QAction>

#include <climits>
#include <optional>

namespace quorvin {

namespace {

const std::string Section = "TMainForm";
const std::string SoundKey = "NSound_Checked";
const std::string HeightKey = "MainFormHeight";
const std::string WidthKey = "MainFormWidth";

std::optional<int> ReadInteger(const TIniFile& ini, const std::string& key) {
    const auto text = ini.Read(Section, key);
    if (!text) return std::nullopt;
    bool ok = false;
    const int value = QString::fromStdString(*text).trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

void TMainForm::RestoreState(const TIniFile& ini) {
    TuneForm->RestoreState(ini);
    AboutForm->RestoreState(ini);
    if (const auto sound = ini.Read(Section, SoundKey)) {
        if (SameText(*sound, "True")) NSound->setChecked(true);
        if (SameText(*sound, "False")) NSound->setChecked(false);
    }

    // The window's frame is not known before it is shown; the layout pass corrects the rest.
    const QSize frame = frameGeometry().size() - size();
    const int height = std::min(WorkAreaHeight(), ReadInteger(ini, HeightKey).value_or(INT_MAX));
    const int width = std::min(WorkAreaWidth(), ReadInteger(ini, WidthKey).value_or(INT_MAX));
    resize(std::max(1, width - frame.width()), std::max(1, height - frame.height()));

    const auto placement = ReadNormalPosition(ini, Section);
    if (placement) move(placement->topLeft());
    // From a place off the work area the first layout pass brings the window back onto it;
    // without a stored place it centres the window once it has hugged the board.
    FitPending = true;
    CentrePending = !placement;
}

void TMainForm::SaveState(TIniFile& ini) const {
    TuneForm->SaveState(ini);
    AboutForm->SaveState(ini);
    const QRect frame = frameGeometry();
    WritePlacement(ini, Section, frame, logicalDpiY());
    ini.Write(Section, SoundKey, NSound->isChecked() ? "True" : "False");
    ini.Write(Section, HeightKey, std::to_string(frame.height()));
    ini.Write(Section, WidthKey, std::to_string(frame.width()));
}

} // namespace quorvin
