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

const std::string Section = TMainForm::Section;
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

    // The stored size is the frame's, never larger than the work area; a first start takes
    // the whole work area, and the layout pass then hugs the board.
    StoredHeight = ReadInteger(ini, HeightKey);
    StoredWidth = ReadInteger(ini, WidthKey);
    StartFrameSize = QSize(std::min(WorkAreaWidth(), StoredWidth.value_or(INT_MAX)),
                           std::min(WorkAreaHeight(), StoredHeight.value_or(INT_MAX)));
    const auto placement = Placement->Read(ini);
    StartTopLeft.reset();
    if (placement) StartTopLeft = placement->topLeft();
    StartPlacementPending = true;
    ApplyStartPlacement(FrameMargins(*this));
}

void TMainForm::SaveState(TIniFile& ini) const {
    TuneForm->SaveState(ini);
    AboutForm->SaveState(ini);
    Placement->Save(ini);
    ini.Write(Section, SoundKey, NSound->isChecked() ? "True" : "False");
    // A window never shown keeps the sizes it was given.
    const QRect frame = Placement->Frame();
    const bool shown = Placement->WasShown();
    ini.Write(Section, HeightKey,
              std::to_string(shown ? frame.height() : StoredHeight.value_or(frame.height())));
    ini.Write(Section, WidthKey,
              std::to_string(shown ? frame.width() : StoredWidth.value_or(frame.width())));
}

} // namespace quorvin
