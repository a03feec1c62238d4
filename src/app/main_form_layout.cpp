// The main window's widgets, its action list and menus, and the fitting of the window around
// the board: the board takes whatever square cells the space allows, then the window shrinks
// to hug it. Also the small window commands (rotate, sound, exit, help) and closing.
#include "main_form.h"

#include "about_form.h"
#include "app_resources.h"
#include "data_module.h"
#include "draw.h"
#include "frame_sync.h"
#include "help_window.h"
#include "human_move.h"
#include "move_display.h"
#include "move_list_panel.h"
#include "search.h"
#include "settings.h"
#include "window_placement.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>

#include <optional>

namespace quorvin {

namespace {

// Sizes of the right-hand column and its parts, in pixels.
constexpr int RightPanelWidth = 142;
constexpr int PanelWidth = 140;
constexpr int CommandPanelHeight = 106;
constexpr int CommandButtonSize = 34;
constexpr std::array<int, 4> CommandColumnX{2, 36, 70, 104};
constexpr std::array<int, 3> CommandRowY{2, 36, 70};
constexpr QSize InitialClientSize(480, 483);

// The search serves the window's events through this hook every few thousand positions.
void PumpEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// An indicator shows a picture of its own, so it follows its action by hand.
void BindButton(QToolButton* button, QAction* action) {
    auto follow = [button, action] {
        button->setEnabled(action->isEnabled());
        button->setVisible(action->isVisible());
        button->setToolTip(action->toolTip());
    };
    follow();
    QObject::connect(action, &QAction::changed, button, follow);
    QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    InitAppResources();
    setObjectName(QStringLiteral("TMainForm"));
    Placement = new TWindowPlacement(*this, Section);
    FrameSync = new TFrameSync(*this, [this] { ScheduleLayout(); });
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);
    setWindowIcon(QIcon(QString::fromLatin1(Resource::Icon64)));
    // The game record is told who plays and which draw rules hold whenever a setting changes.
    Settings().SetChangeHook([this] {
        if (Flow.HasGame()) Flow.Game().SetOptions(Settings().GameOptions());
    });

    CreatePanels();
    CreateActions();
    CreateSetupPanel();
    CreatePresetItems();
    CreateMoveList(); // its menu item before the menus
    CreateMenus();
    CreateToolMenu();
    CreateOptions();
    AboutForm = new TAboutForm(this);

    auto current = [this]() -> const TPosition* {
        return Flow.HasGame() ? &Flow.Game().CurrentPosition() : nullptr;
    };
    HumanMove = std::make_unique<THumanMove>(*BoardRxDrawGrid, current,
                                             [] { return Settings().AutoSingleMove(); });
    MoveDisplay = std::make_unique<TMoveDisplay>(
        *BoardRxDrawGrid, [this](TSound sound) { Binding.PlaySound(sound); });
    BoardRxDrawGrid->SetPositionSource(current);
    BoardRxDrawGrid->SetHighlightTest(
        [this](int square) { return HumanMove->IsHighlighted(square); });
    connect(BoardRxDrawGrid, &TBoardGrid::MousePressed, this,
            [this](Qt::MouseButton button, QPoint position) {
                RunCommand(TWhen::Idle, [this, button, position] {
                    BoardRxDrawGridMouseDown(button, position);
                });
            });

    SoundPlayers = new TSounds(this);
    SoundPlayers->Open(ProgramFolder() + QStringLiteral("Sound/"));

    ThinkSearchState().PumpHook = &PumpEvents;
    Flow.SetMode(TMode::Play);

    // The first game record, for the stored board and rules, so that the window can paint
    // before the first game starts.
    Flow.CreateGame();
    BoardRxDrawGrid->SetGridSize(Settings().Files(), Settings().Rows());
    DrawnPictures = {Settings().Get(TSetting::LightPicture), Settings().Get(TSetting::DarkPicture),
                     Settings().Get(TSetting::SelectPicture)};
    Panels->RefreshPanels(Flow.SideToMove(), false);
    UpdateCaption();

    QSize initial = InitialClientSize;
    if (MoveListShown()) initial.rwidth() += MoveListPanel->width();
    resize(initial);
    move(CentredFrame(initial, WorkArea()).topLeft());
}

TMainForm::~TMainForm() {
    if (ThinkSearchState().PumpHook == &PumpEvents) ThinkSearchState().PumpHook = nullptr;
    Settings().SetChangeHook(nullptr);
}

void TMainForm::CreatePanels() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    BoardPanel = new QFrame(central);
    BoardPanel->setObjectName(QStringLiteral("BoardPanel"));
    BoardPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    BoardPanel->setLineWidth(1);
    BoardPanel->installEventFilter(this);
    row->addWidget(BoardPanel, 1);

    BoardRxDrawGrid = new TBoardGrid(BoardPanel);
    BoardRxDrawGrid->setObjectName(QStringLiteral("BoardRxDrawGrid"));

    RightPanel = new QWidget(central);
    RightPanel->setObjectName(QStringLiteral("RightPanel"));
    RightPanel->setFixedWidth(RightPanelWidth);
    row->addWidget(RightPanel);
    auto* column = new QVBoxLayout(RightPanel);
    column->setContentsMargins(1, 0, 1, 0);
    column->setSpacing(0);

    Panels = std::make_unique<TSidePanels>(RightPanel);
    column->addWidget(Panels->Frame(TPanel::Up));

    MainPanel = new QFrame(RightPanel);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setFixedSize(PanelWidth, CommandPanelHeight);
    MainPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    column->addWidget(MainPanel);

    // Position setup puts its own buttons in MainPanel's place.
    SetupPanel = new QFrame(RightPanel);
    SetupPanel->setObjectName(QStringLiteral("SetupPanel"));
    SetupPanel->setFixedSize(PanelWidth, CommandPanelHeight);
    SetupPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SetupPanel->hide();
    column->addWidget(SetupPanel);

    // The search writes its statistics here; no command shows them.
    static constexpr std::array<const char*, 5> statisticNames{
        "LoadingStaticText", "LevelStaticText", "TimeStaticText", "PositionStaticText",
        "PosInSecStaticText"};
    static constexpr std::array<const char*, 5> statisticCaptions{"Loading", "Depth", "Time",
                                                                  "Positions", "Pos/Sec"};
    std::array<QLabel*, 5> statistics{};
    for (std::size_t i = 0; i < statistics.size(); ++i) {
        statistics[i] = new QLabel(QString::fromLatin1(statisticCaptions[i]), RightPanel);
        statistics[i]->setObjectName(QString::fromLatin1(statisticNames[i]));
        statistics[i]->hide();
        column->addWidget(statistics[i]);
    }
    EngineReport =
        std::make_unique<TEngineReport>(*Panels, statistics, [this] { Flow.SearchFinished(); });
    column->addStretch(1);
    column->addWidget(Panels->Frame(TPanel::Down));

    // The move list, when shown, beside the column, so that the board and the column keep
    // their places.
    MoveListPanel = new TMoveListPanel(central);
    MoveListPanel->hide();
    row->addWidget(MoveListPanel);
}

void TMainForm::CreateActions() {
    struct TActionDef {
        TActionId Id;
        const char* Name;
        const char* Category;
        const char* Caption; // as the menus show it
        const char* Hint;
        const char* Glyph;
        void (TMainForm::*Handler)();
    };
    static constexpr std::array<TActionDef, ActionCount> table{{
        {TActionId::RotateBoard, "RotateBoardAction", "Tune", "&Rotate", "Rotate board",
         Resource::RotateGlyph, &TMainForm::RotateBoardActionExecute},
        {TActionId::Options, "OptionsAction", "Tune", "&Options...", "Options",
         Resource::OptionsGlyph, &TMainForm::OptionsActionExecute},
        {TActionId::Undo, "UndoAction", "Undo", "&Undo", "Undo move", Resource::UndoGlyph,
         &TMainForm::UndoActionExecute},
        {TActionId::Redo, "RedoAction", "Undo", "&Redo", "Redo move", Resource::RedoGlyph,
         &TMainForm::RedoActionExecute},
        {TActionId::NewGame, "NewGameAction", "", "&New", "New game", Resource::NewGameGlyph,
         &TMainForm::NewGameActionExecute},
        {TActionId::Advice, "AdviceAction", "", "&Advice", "Advice", Resource::AdviceGlyph,
         &TMainForm::AdviceActionExecute},
        {TActionId::UndoAll, "UndoAllAction", "Undo", "U&ndo all", "Undo all moves",
         Resource::UndoAllGlyph, &TMainForm::UndoAllActionExecute},
        {TActionId::RedoAll, "RedoAllAction", "Undo", "R&edo all", "Redo all moves",
         Resource::RedoAllGlyph, &TMainForm::RedoAllActionExecute},
        {TActionId::BrainOptions, "BrainOptionsAction", "Tune", "Setup brain", "Setup brain",
         nullptr, &TMainForm::BrainOptionsActionExecute},
        {TActionId::Setup, "SetupAction", "Setup", "Set&up", "Setup position", Resource::SetupGlyph,
         &TMainForm::SetupActionExecute},
        {TActionId::Continue, "ContinueAction", "Setup", "Continue &play", "Continue play",
         Resource::ContinueGlyph, &TMainForm::ContinueActionExecute},
        {TActionId::EmptySquare, "EmptySquareAction", "Setup", "&Empty field", "Empty field",
         Resource::EmptySquareGlyph, &TMainForm::EmptySquareActionExecute},
        {TActionId::WhitePawn, "WhitePawnAction", "Setup", "&White checker", "White checker",
         Resource::WhitePawnGlyph, &TMainForm::WhitePawnActionExecute},
        {TActionId::BlackPawn, "BlackPawnAction", "Setup", "&Black checker", "Black checker",
         Resource::BlackPawnGlyph, &TMainForm::BlackPawnActionExecute},
        {TActionId::WhiteKing, "WhiteKingAction", "Setup", "White king", "White king",
         Resource::WhiteKingGlyph, &TMainForm::WhiteKingActionExecute},
        {TActionId::BlackKing, "BlackKingAction", "Setup", "Black king", "Black king",
         Resource::BlackKingGlyph, &TMainForm::BlackKingActionExecute},
        {TActionId::Clear, "ClearAction", "Setup", "&Clear", "Clear position", Resource::ClearGlyph,
         &TMainForm::ClearActionExecute},
        {TActionId::Delegate, "DelegateAction", "Setup", "&Delegate move", "Delegate move",
         Resource::DelegateGlyph, &TMainForm::DelegateActionExecute},
        {TActionId::Arrange, "ArrangeAction", "Setup", "&Arrange", "Arrange initial position",
         Resource::ArrangeGlyph, &TMainForm::ArrangeActionExecute},
        {TActionId::BoardView, "BoardViewAction", "Tune", "&View...", "", nullptr,
         &TMainForm::BoardViewActionExecute},
        {TActionId::BoardSetup, "BoardSetupAction", "Tune", "&Setup...", "", nullptr,
         &TMainForm::BoardSetupActionExecute},
        {TActionId::Sides, "SidesAction", "Tune", "Sides", "Sides", Resource::SidesGlyph,
         &TMainForm::SidesActionExecute},
    }};

    SetupTools = new QActionGroup(this);
    SetupTools->setExclusive(true);
    for (const TActionDef& def : table) {
        auto* action = new QAction(QString::fromLatin1(def.Caption), this);
        action->setObjectName(QString::fromLatin1(def.Name));
        action->setProperty("category", QString::fromLatin1(def.Category));
        if (*def.Hint) action->setToolTip(QString::fromLatin1(def.Hint));
        if (def.Glyph) action->setIcon(QIcon(QString::fromLatin1(def.Glyph)));
        // Rotating the board is harmless at any time, even while the engine thinks.
        const TWhen when = def.Id == TActionId::RotateBoard ? TWhen::Always : TWhen::Idle;
        connect(action, &QAction::triggered, this,
                [this, h = def.Handler, when] { RunCommand(when, [this, h] { (this->*h)(); }); });
        Actions[static_cast<std::size_t>(def.Id)] = action;
    }
    for (TActionId tool : {TActionId::EmptySquare, TActionId::WhitePawn, TActionId::BlackPawn,
                           TActionId::WhiteKing, TActionId::BlackKing}) {
        Action(tool)->setCheckable(true);
        SetupTools->addAction(Action(tool));
    }

    // The command buttons of MainPanel, by row and column. The three with handlers of their
    // own are kept in the fields named here.
    struct TButtonDef {
        int Row, Column;
        const char* Name;
        std::optional<TActionId> Bound;
        QToolButton* TMainForm::*Field = nullptr;
    };
    static constexpr std::array<TButtonDef, 12> buttons{{
        {0, 0, "NewGameSpeedButton", TActionId::NewGame},
        {0, 1, "TuneSpeedButton", TActionId::Options},
        {0, 2, "HelpSpeedButton", std::nullopt, &TMainForm::HelpSpeedButton},
        {0, 3, "SidesSpeedButton", TActionId::Sides},
        {1, 0, "UnDoAllSpeedButton", TActionId::UndoAll},
        {1, 1, "UnDoSpeedButton", TActionId::Undo},
        {1, 2, "RedoSpeedButton", TActionId::Redo},
        {1, 3, "RedoAllSpeedButton", TActionId::RedoAll},
        {2, 0, "HintSpeedButton", TActionId::Advice},
        {2, 1, "AutoSpeedButton", std::nullopt, &TMainForm::AutoSpeedButton},
        {2, 2, "StopSpeedButton", std::nullopt, &TMainForm::StopSpeedButton},
        {2, 3, "SetupSpeedButton", TActionId::Setup},
    }};
    for (const TButtonDef& def : buttons) {
        QToolButton* button = CreateCommandButton(MainPanel, def.Name, def.Row, def.Column);
        if (def.Bound) button->setDefaultAction(Action(*def.Bound));
        if (def.Field) this->*def.Field = button;
    }
    HelpSpeedButton->setIcon(QIcon(QString::fromLatin1(Resource::HelpGlyph)));
    HelpSpeedButton->setToolTip(QStringLiteral("Help"));
    connect(HelpSpeedButton, &QToolButton::clicked, this,
            [this] { RunCommand(TWhen::Always, [this] { NReferenceClick(); }); });
    AutoSpeedButton->setIcon(QIcon(QString::fromLatin1(Resource::AdviserGlyph)));
    AutoSpeedButton->setToolTip(QStringLiteral("The adviser plays instead of the player"));
    AutoSpeedButton->setCheckable(true);
    connect(AutoSpeedButton, &QToolButton::toggled, this,
            [this](bool down) { Flow.SetAdviser(down); });
    // While a command runs (the engine thinks) the click only leaves the button's state for
    // the next person's turn.
    connect(AutoSpeedButton, &QToolButton::clicked, this,
            [this] { RunCommand(TWhen::Idle, [this] { AutoSpeedButtonClick(); }); });
    StopSpeedButton->setIcon(QIcon(QString::fromLatin1(Resource::StopGlyph)));
    StopSpeedButton->setToolTip(QStringLiteral("Break calculation"));
    connect(StopSpeedButton, &QToolButton::clicked, this,
            [this] { RunCommand(TWhen::Always, [this] { StopSpeedButtonClick(); }); });

    for (TPanel panel : {TPanel::Up, TPanel::Down}) {
        BindButton(Panels->SideButton(panel), Action(TActionId::RotateBoard));
        BindButton(Panels->MoverButton(panel), Action(TActionId::BrainOptions));
    }
}

QToolButton* CreateCommandButton(QFrame* panel, const char* name, int row, int column) {
    auto* button = new QToolButton(panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(CommandColumnX[std::size_t(column)], CommandRowY[std::size_t(row)],
                        CommandButtonSize, CommandButtonSize);
    button->setIconSize(QSize(CommandButtonSize - 6, CommandButtonSize - 6));
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QRect TMainForm::WorkArea() const {
    return WorkAreaOf(*this);
}

int TMainForm::WorkAreaHeight() const {
    return WorkArea().height();
}

int TMainForm::WorkAreaWidth() const {
    return WorkArea().width();
}

void TMainForm::FitToScreen() {
    // Frame included: the window takes the whole work area, the board grows with it, and the
    // layout pass then hugs the board and brings the frame back into the work area.
    const QMargins margins = FrameMargins(*this);
    const QSize client = WorkArea().size().shrunkBy(margins);
    // The fit starts from where the window stands, wherever the window manager puts the
    // enlarged window meanwhile.
    FitOrigin = geometry().topLeft() - QPoint(margins.left(), margins.top());
    FrameSync->RequestGeometry(QRect(geometry().topLeft(), client.expandedTo(QSize(1, 1))));
    FitPending = true;
    ScheduleLayout();
}

void TMainForm::FitBoard() {
    TBoardGrid& grid = *BoardRxDrawGrid;
    const QRect client = BoardPanel->contentsRect();
    const int cell = std::max(1, std::min(client.height() / std::max(1, grid.RowCount()),
                                          client.width() / std::max(1, grid.ColCount())));
    grid.setEnabled(Flow.Enabled(TCommand::Board));
    if (cell * grid.RowCount() != grid.height() || cell * grid.ColCount() != grid.width())
        grid.SetCellEdge(cell);
    grid.move(client.x() + (client.width() - grid.width()) / 2,
              client.y() + (client.height() - grid.height()) / 2);
    grid.show();
    ScheduleLayout();
}

void TMainForm::ScheduleLayout() {
    if (LayoutScheduled) return;
    LayoutScheduled = true;
    QTimer::singleShot(0, this, [this] {
        LayoutScheduled = false;
        RunCommand(TWhen::Always, [this] { UpdateLayout(); });
    });
}

void TMainForm::UpdateLayout() {
    if (!isVisible() || isMaximized() || isFullScreen()) return;
    if (FrameSync->Waits()) return;
    const QMargins margins = FrameMargins(*this);
    if (margins != PlacedMargins) {
        FrameChanged(margins);
        return;
    }

    const int panels = Panels->Frame(TPanel::Down)->height() + MainPanel->height() +
                       Panels->Frame(TPanel::Up)->height();
    // What the window needs beside the board: the menu bar above it, the column beside it.
    const int extraHeight = height() - centralWidget()->height();
    const int extraWidth = width() - centralWidget()->width();
    const int list = MoveListShown() ? MoveListPanel->width() : 0;
    const QSize minimum(extraWidth + RightPanel->width() + list + panels, extraHeight + panels);
    if (minimum != minimumSize()) setMinimumSize(minimum);

    // The window hugs the board, its frame within the work area.
    const QRect area = WorkArea();
    const QSize room = area.size().shrunkBy(margins);
    const QRect board = BoardPanel->contentsRect();
    const QSize target =
        QSize(std::min(room.width(), width() - board.width() + BoardRxDrawGrid->width()),
              std::min(room.height(), height() - board.height() + BoardRxDrawGrid->height()))
            .expandedTo(minimum);
    const bool resizing = target != size();
    QRect client(geometry().topLeft(), target);

    if (FitPending || CentrePending) {
        // The start-up fit begins from the stored place, wherever the window manager may
        // have put the window meanwhile.
        const QPoint corner(margins.left(), margins.top());
        const QRect frame(FitOrigin.value_or(client.topLeft() - corner), target.grownBy(margins));
        const QRect placed =
            CentrePending ? CentredFrame(frame.size(), area) : FitFrameInto(frame, area);
        client.moveTopLeft(placed.topLeft() + corner);
    }
    FrameSync->RequestGeometry(client);
    // A fit holds until the window has settled around the board.
    if (resizing && (FitPending || CentrePending)) {
        ScheduleLayout();
        return;
    }
    CentrePending = false;
    FitPending = false;
    FitOrigin.reset();
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The window is never maximised: the maximise command fits it around the board within
    // the work area instead.
    if (event->type() == QEvent::WindowStateChange && isMaximized()) {
        QTimer::singleShot(0, this, [this] {
            RunCommand(TWhen::Always, [this] {
                // The fit starts from where the window stood before it was maximised.
                const QRect normal = normalGeometry();
                showNormal();
                FitToScreen();
                if (normal.isValid())
                    FitOrigin =
                        normal.topLeft() - QPoint(PlacedMargins.left(), PlacedMargins.top());
            });
        });
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // Fitting the board may load its pictures, which can fail like any command.
    if (watched == BoardPanel && event->type() == QEvent::Resize)
        RunCommand(TWhen::Always, [this] { FitBoard(); });
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FrameSync->WaitForFrame();
    ScheduleLayout();
    if (!StartScheduled) {
        // The first game starts once the window is on screen, so that a computer opening
        // the game thinks in front of a painted board.
        StartScheduled = true;
        QTimer::singleShot(0, this,
                           [this] { RunCommand(TWhen::Always, [this] { FormActivate(); }); });
    }
}

void TMainForm::FormActivate() {
    UpdateCaption();
    AboutForm->SetVersionText(VersionLine());
    // A file that cannot be loaded is reported; the first game then starts as usual, without
    // asking, since nothing has been played.
    const bool load = StartArguments.size() >= 2 && StartArguments[0] == QLatin1String("load");
    if (!load || !LoadPosition(StartArguments[1])) Flow.StartNewGame();
    StartDone = true;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // A running search or command still uses the game record; the user breaks it first.
    if (Flow.Busy()) {
        event->ignore();
        return;
    }
    BoardRxDrawGrid->hide();
    Flow.DestroyGame();
    BoardRxDrawGrid->SetLastMove({});
    event->accept();
}

void TMainForm::RotateBoardActionExecute() {
    Settings().Set(TSetting::WhiteTop, Settings().Checked(TSetting::WhiteTop) ? 0 : 1);
    BoardRxDrawGrid->ClearTileCache();
    Panels->RefreshPanels(Flow.SideToMove(), true);
}

void TMainForm::NSoundClick() {
    // The check mark has already turned; heard only when sound was just switched on.
    Binding.PlaySound(TSound::Advice);
}

void TMainForm::NExitClick() {
    close();
}

void TMainForm::NAboutClick() {
    AboutForm->exec();
}

void TMainForm::NReferenceClick() {
    OpenHelp(this, ProgramFolder() + QStringLiteral("Quorvin.html"), Translated("Help"));
}

} // namespace quorvin
