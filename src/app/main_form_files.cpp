// Position files from the main window: "&Open..." reads a file and plays on from its position
// as a new game, "&Save..." writes the current position with the rules and the board. A file
// is read and checked whole before anything changes, so a bad file is reported and the game
// on the board goes on as it was.
#include "game_settings.h"
#include "main_form.h"

#include "draw.h"
#include "file_dialog.h"
#include "mathematics.h"
#include "message_box.h"
#include "position_file.h"

#include <QAction>
#include <QFile>

namespace quorvin {

namespace {

const TFileDialogRequest PositionDialog(TFileDialogKind kind) {
    return {kind, QStringLiteral("Quorvin position (*.qvp)"), QStringLiteral("qvp")};
}

} // namespace

void TMainForm::NOpenClick() {
    if (Flow.Mode() != TMode::Play) return;
    const QString fileName = AskFileName(this, PositionDialog(TFileDialogKind::Open));
    if (!fileName.isEmpty()) LoadPosition(fileName);
}

void TMainForm::NSaveClick() {
    if (Flow.Mode() != TMode::Play || !Flow.HasGame()) return;
    const QString fileName = AskFileName(this, PositionDialog(TFileDialogKind::Save));
    if (fileName.isEmpty()) return;
    try {
        WritePositionFile(QFile::encodeName(fileName).toStdString(),
                          Settings().Get(TSetting::Rules), Flow.Game().CurrentPosition());
    } catch (const std::exception& e) {
        ShowMessage(this, {Translated("Error"), QString::fromLocal8Bit(e.what()),
                           TMessageIcon::Critical, TMessageButtons::Ok});
    }
}

bool TMainForm::LoadPosition(const QString& fileName) {
    TPositionFile file;
    try {
        file = ReadPositionFile(QFile::encodeName(fileName).toStdString());
    } catch (const TPositionFileError& e) {
        ShowMessage(this, {Translated("Error"), QString::fromLocal8Bit(e.what()),
                           TMessageIcon::Critical, TMessageButtons::Ok});
        return false;
    }
    // The file's board and rules, each real change rebuilding the game and resizing the
    // window by whole cells, as a change in the options does.
    ChangeSetting(TSetting::Rows, file.Rows);
    ChangeSetting(TSetting::Files, file.Files);
    ChangeSetting(TSetting::Coloring, file.Coloring ? 1 : 0);
    ChangeSetting(TSetting::Rules, static_cast<int>(file.Rules));
    // A loaded position is a new game: the engine's random choices start afresh.
    SeedRandomFromClock();
    UseGame(ApplyPositionFile(file));
    return true;
}

} // namespace quorvin
