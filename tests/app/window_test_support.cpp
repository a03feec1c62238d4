// The main window's test fixture; see window_test_support.h.
#include "window_test_support.h"
#include "game_settings.h"

#include "draw.h"
#include "position_file.h"
#include "referee.h"
#include "rules.h"
#include "waits.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QToolButton>

namespace quorvin::test {

void ExpectSentences(const QString& text, const QString& fileName) {
    EXPECT_FALSE(text.isEmpty());
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!fileName.isEmpty() && line.startsWith(fileName)) continue;
        EXPECT_TRUE(!line.isEmpty() && line[0].isUpper()) << text.toStdString();
    }
}

void TWindowTest::SetUp() {
    ResetApp();
    SetWaitScale(0.0);
    // Closing a window in a test must not end the event loops the test waits in.
    QApplication::setQuitOnLastWindowClosed(false);
    SetMessageHandler([this](const TMessageRequest& request) {
        Messages.push_back(request);
        return Answer;
    });
    Form = std::make_unique<TMainForm>();
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    ASSERT_TRUE(WaitUntil([this] { return Form->Started(); }));
    ASSERT_GT(Form->Board().CellEdge(), 8);
}

void TWindowTest::TearDown() {
    Watchers.clear();
    Form.reset();
    SetMessageHandler({});
    SetWaitScale(1.0);
}

void TWindowTest::Restart(const QStringList& arguments, const std::function<void()>& beforeShow) {
    Form.reset();
    Form = std::make_unique<TMainForm>();
    Form->SetStartArguments(arguments);
    if (beforeShow) beforeShow();
    Form->show();
    ASSERT_TRUE(WaitUntil([this] { return Form->Started(); }));
}

TGame TWindowTest::GameWith(std::initializer_list<TPiece> pieces, int sideToMove) {
    TPositionFile file;
    file.RulesIndex = static_cast<int>(Settings().Rules());
    file.Rules = Settings().Rules();
    file.Rows = Settings().Rows();
    file.Files = Settings().Files();
    file.Coloring = Settings().Checked(TSetting::Coloring);
    file.SquareCount = SquareCount;
    for (int s = 0; s <= SquareCount; ++s) file.Cells[std::size_t(s)] = EmptySquare;
    for (const TPiece& p : pieces) {
        const int s = Sq(p.File, p.Row);
        EXPECT_NE(s, 0) << "(" << p.File << ", " << p.Row << ") is not a playable square";
        file.Cells[std::size_t(s)] = p.What;
    }
    file.SideToMove = sideToMove;
    file.Cells[0] = sideToMove == White ? WhiteMan : BlackMan;
    return ApplyPositionFile(file);
}

void TWindowTest::UsePosition(std::initializer_list<TPiece> pieces, int sideToMove) {
    Form->UseGame(GameWith(pieces, sideToMove));
}

int TWindowTest::Sq(int file, int row) {
    return SquareOf(file, row);
}

TSquare TWindowTest::At(int file, int row) const {
    return Now().At(Sq(file, row));
}

void TWindowTest::ClickSquare(int square, Qt::MouseButton button) {
    ASSERT_NE(square, 0);
    QTest::mouseClick(&Form->Board(), button, {}, Form->Board().CellRectOf(square).center());
}

void TWindowTest::ClickCell(int column, int row, Qt::MouseButton button) {
    QTest::mouseClick(&Form->Board(), button, {}, Form->Board().CellRect(column, row).center());
}

void TWindowTest::ClickMove(const TMove& m) {
    for (int k = 0; k <= m.LastIndex; ++k) ClickSquare(m.Path[std::size_t(k)]);
}

void TWindowTest::ClickAction(TActionId id) {
    Form->Action(id)->trigger();
}

int TWindowTest::QuietMove(const TPosition& position) {
    for (int i = 1; i <= position.Moves.Count; ++i) {
        auto child = position.NewPosition();
        child->PlayMove(position, i);
        if (child->ClassifyNode(false) == NodeLost) continue;
        if (child->Moves.GetMove(1).CaptureCount == 0) return i;
    }
    return 0;
}

void TWindowTest::PlayQuietPlies(TGame& game, int plies) {
    for (int n = 0; n < plies; ++n) {
        JudgeCurrentPosition(game);
        const int i = QuietMove(game.CurrentPosition());
        ASSERT_NE(i, 0) << "no quiet move at ply " << n;
        game.PlayMove(i);
    }
    JudgeCurrentPosition(game);
}

void TWindowTest::When(std::function<bool()> condition, std::function<void()> action) {
    auto timer = std::make_unique<QTimer>();
    QTimer* t = timer.get();
    QObject::connect(t, &QTimer::timeout, [t, condition, action] {
        if (!condition()) return;
        t->stop();
        action();
    });
    t->start(1);
    Watchers.push_back(std::move(timer));
}

bool TWindowTest::Searching() const {
    return Form->IsThinking() && Form->StopButton()->isEnabled();
}

bool TWindowTest::WaitUntil(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) return false;
        QTest::qWait(5);
    }
    return true;
}

} // namespace quorvin::test
