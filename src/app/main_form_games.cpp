// Whole games and single positions in the standard forms other programs read: "Open game..."
// and "Save game..." of the Game menu read and write PDN files, "Copy position" and "Paste
// position" of the Position menu pass the position through the clipboard as FEN. What is read
// is read whole before anything changes; a game or position of another board brings its board
// and rules into the settings as a preset does, and play goes on from it as from a position
// file.
#include "game_settings.h"
#include "main_form.h"

#include "atomic_file.h"
#include "fen.h"
#include "file_dialog.h"
#include "ini_file.h"
#include "mathematics.h"
#include "message_box.h"
#include "pdn.h"

#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

namespace quorvin {

namespace {

const TFileDialogRequest GameDialog(TFileDialogKind kind) {
    return {kind, QStringLiteral("PDN games (*.pdn)"), QStringLiteral("pdn")};
}

// The players' names a saved game gives each side.
std::string PlayerName(const TGame& game, int side) {
    return game.Options().ComputerSide[std::size_t(side)] ? "Computer" : "Human";
}

} // namespace

void TMainForm::NOpenGameClick() {
    if (Flow.Mode() != TMode::Play) return;
    const QString fileName = AskFileName(this, GameDialog(TFileDialogKind::Open));
    if (!fileName.isEmpty()) OpenGame(fileName);
}

void TMainForm::NSaveGameClick() {
    if (Flow.Mode() != TMode::Play || !Flow.HasGame()) return;
    const QString fileName = AskFileName(this, GameDialog(TFileDialogKind::Save));
    if (fileName.isEmpty()) return;
    const TPdnHeader header{
        .Event = "Casual game",
        .Site = "?",
        .Date = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")).toStdString(),
        .Round = "-",
        .White = PlayerName(Flow.Game(), White),
        .Black = PlayerName(Flow.Game(), Black),
        .Result = PdnResult(JudgeRecord(Flow.Game())),
        .Extra = {}};
    try {
        // The whole record, the moves ahead of the board (Redo's) included.
        WriteFileAtomically(QFile::encodeName(fileName).toStdString(),
                            FormatPdnGame(Flow.Game(), NotationForSettings(), header, true));
    } catch (const std::exception& e) {
        ShowMessage(this, {Translated("Error"), QString::fromLocal8Bit(e.what()),
                           TMessageIcon::Critical, TMessageButtons::Ok});
    }
}

bool TMainForm::OpenGame(const QString& fileName) {
    const QString shownName = QDir::toNativeSeparators(fileName);
    auto report = [&](const QString& text) {
        ShowMessage(this, {Translated("Error"), shownName + QLatin1Char('\n') + text,
                           TMessageIcon::Critical, TMessageButtons::Ok});
    };
    std::vector<TPdnGameText> games;
    try {
        games = ReadPdnFile(QFile::encodeName(fileName).toStdString());
    } catch (const std::exception& e) {
        report(Sentence(QString::fromLocal8Bit(e.what())));
        return false;
    }
    if (games.empty()) {
        report(Translated("The file holds no game."));
        return false;
    }
    // A file of several games opens its first one. A game without a GameType tag is
    // International draughts, as PDN has it.
    TLoadedGame loaded = LoadPdnGame(games.front(), TNotation(), Settings().GameOptions());
    if (!loaded.Game) {
        report(loaded.Error ? Sentence(QString::fromStdString(loaded.Error->Text()))
                            : Translated("The file holds no game."));
        return false;
    }
    const TNotation& notation = loaded.Notation;
    ChangeBoard(notation.Rules(), notation.Rows(), notation.Files(), notation.Coloring());
    // Reported once the window shows the game's board, before play goes on from the moves
    // that could be played.
    if (loaded.Error)
        report(Sentence(QString::fromStdString(loaded.Error->Text())) + QLatin1Char('\n') +
               Translated("The moves before it are loaded."));
    SeedRandomFromClock();
    UseGame(std::move(*loaded.Game));
    return true;
}

void TMainForm::ChangeBoard(TRules rules, int rows, int files, bool coloring) {
    // In this order, each real change rebuilding the game for what is set so far; then the
    // geometry is the board's whatever changed.
    ChangeSetting(TSetting::Rows, rows);
    ChangeSetting(TSetting::Files, files);
    ChangeSetting(TSetting::Coloring, coloring ? 1 : 0);
    ChangeSetting(TSetting::Rules, static_cast<int>(rules));
    ApplyBoard(rules, rows, files, coloring);
}

void TMainForm::NCopyPositionClick() {
    if (Flow.Mode() == TMode::Busy || !Flow.HasGame()) return;
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(FormatFen(NotationForSettings(), Flow.Game().CurrentPosition())));
}

void TMainForm::NPastePositionClick() {
    if (Flow.Mode() != TMode::Play) return;
    PastePosition(QGuiApplication::clipboard()->text());
}

bool TMainForm::PastePosition(const QString& text) {
    const std::string fen = text.trimmed().toStdString();
    const TNotation current = NotationForSettings();
    TNotation notation;
    TFenPosition position;
    try {
        notation = NotationForFen(current, fen);
        position = ParseFen(notation, fen);
    } catch (const TNotationError& e) {
        ShowMessage(this, {Translated("Error"),
                           Translated("No position could be read from the clipboard.") +
                               QLatin1Char('\n') + Sentence(QString::fromStdString(e.what())),
                           TMessageIcon::Critical, TMessageButtons::Ok});
        return false;
    }
    const bool sameBoard =
        notation.Rules() == current.Rules() && notation.Rows() == current.Rows() &&
        notation.Files() == current.Files() && notation.Coloring() == current.Coloring();
    if (!sameBoard) {
        const QString question =
            Translated("Paste a position of another board and rules?") + QLatin1Char('\n') +
            BoardCaption(notation.Rules(), notation.Rows(), notation.Files(), notation.Coloring());
        if (ShowMessage(this, {Translated("Confirmation"), question, TMessageIcon::Question,
                               TMessageButtons::YesNo}) != TMessageAnswer::Yes)
            return false;
        ChangeBoard(notation.Rules(), notation.Rows(), notation.Files(), notation.Coloring());
    }
    TGame game(notation.Rules(), Settings().GameOptions());
    ApplyFen(position, game.CurrentPosition());
    // A pasted position is a new game: the engine's random choices start afresh.
    SeedRandomFromClock();
    UseGame(std::move(game));
    return true;
}

} // namespace quorvin
