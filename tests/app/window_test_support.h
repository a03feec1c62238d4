// The fixture of the main window's GUI tests: a fresh window on the offscreen platform with
// the default settings, waits shortened to nothing, message boxes answered by the test, and
// helpers that click board squares the way a player does.
#pragma once

#include "app_test_support.h"
#include "file_dialog.h"
#include "game.h"
#include "main_form.h"
#include "message_box.h"

#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace quorvin::test {

// One piece of a hand-made position, by file and row seen from White (1-based).
struct TPiece {
    int File, Row;
    TSquare What;
};

class TWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the window again with these command-line arguments; beforeShow runs on the new
    // window before it is shown, as the program's start-up does its own steps.
    void Restart(const QStringList& arguments = {}, const std::function<void()>& beforeShow = {});

    // Replaces the window's game by a one-position record with these pieces.
    void UsePosition(std::initializer_list<TPiece> pieces, int sideToMove);
    // A record with these pieces, not yet handed to the window.
    static TGame GameWith(std::initializer_list<TPiece> pieces, int sideToMove);

    static int Sq(int file, int row);
    TSquare At(int file, int row) const;
    TGame& Game() const { return *Form->Game(); }
    TPosition& Now() const { return Game().CurrentPosition(); }

    // Mouse clicks on the board cell of a square, as a player makes them.
    void ClickSquare(int square, Qt::MouseButton button = Qt::LeftButton);
    void Click(int file, int row, Qt::MouseButton button = Qt::LeftButton) {
        ClickSquare(Sq(file, row), button);
    }
    // A click on grid cell (column, row), 0-based, which may be a light cell.
    void ClickCell(int column, int row, Qt::MouseButton button = Qt::LeftButton);
    // Clicks the start square and every landing square of a move of the current position.
    void ClickMove(const TMove& m);
    void ClickAction(TActionId id);

    // The first move of the position after which the opponent has no capture and still has a
    // move: play that goes on quietly for as long as needed.
    static int QuietMove(const TPosition& position);
    // Plays quiet moves into the record, each position judged as the window judges it.
    static void PlayQuietPlies(TGame& game, int plies);

    // Runs action once, as soon as condition holds while the window serves events (during a
    // search the engine serves them every few thousand positions).
    void When(std::function<bool()> condition, std::function<void()> action);
    // The engine is searching: the window thinks and Break calculation is possible.
    bool Searching() const;

    // Serves events until the condition holds or the time is up.
    static bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000);

    std::unique_ptr<TMainForm> Form;
    std::vector<std::unique_ptr<QTimer>> Watchers;
    std::vector<TMessageRequest> Messages;
    TMessageAnswer Answer = TMessageAnswer::Ok;
};

// Every line of a message's text begins with a capital letter, or with the name of the file
// the message is about.
void ExpectSentences(const QString& text, const QString& fileName = QString());

// A window test whose file dialogs are answered with NextFile, each request kept, and a
// temporary folder for the files.
class TFileWindowTest : public TWindowTest {
  protected:
    void SetUp() override {
        TWindowTest::SetUp();
        SetFileDialogHandler([this](const TFileDialogRequest& request) {
            Requests.push_back(request);
            return NextFile;
        });
    }
    void TearDown() override {
        SetFileDialogHandler({});
        TWindowTest::TearDown();
    }
    QString File(const char* name) const { return Dir.filePath(QLatin1String(name)); }

    QTemporaryDir Dir;
    QString NextFile;
    std::vector<TFileDialogRequest> Requests;
};

} // namespace quorvin::test
