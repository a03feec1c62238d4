// TMainForm, the main window: the board on the left, the column of side panels and command
// buttons on the right, and the menus. The course of the game is TGameFlow's, which the
// window owns: the window binds its commands to the flow, shows what the flow reports, and
// draws. The class is split over several files by concern:
//   main_form_layout.cpp   widgets, actions, menus, fitting the window around the board
//   main_form_flow.cpp     the commands of play bound to the flow, and what the flow reports
//   main_form_input.cpp    the board's mouse handler
//   main_form_menus.cpp    the main menu, its items following the commands they run
//   main_form_setup.cpp    position setup: the setup panel, the tools, the tool menu
//   main_form_presets.cpp  rule presets, board and rules changes, the caption
//   main_form_files.cpp    opening and saving position files
//   main_form_games.cpp    whole games in PDN files, positions through the clipboard as FEN
//   main_form_move_list.cpp  the move list beside the board, and walking the game from it
//   main_form_options.cpp  the options dialog and the picture presets
//   main_form_storage.cpp  the window's own section of the settings file
// Everything runs on the GUI thread. The engine serves the window's events from inside its
// search, which is how painting and "Break calculation" reach the window while it thinks.
#pragma once

#include "app_resources.h"
#include "game_flow.h"
#include "lang_changer.h"
#include "notation.h"
#include "settings.h"
#include "side_panels.h"
#include "sounds.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace quorvin {

class TBoardGrid;
class THumanMove;
class TIniFile;
class TMoveDisplay;
class TMoveListPanel;
class TAboutForm;
class TTuneForm;
class TFrameSync;
class TWindowPlacement;
enum class TTunePage;

// The commands of the action list; menu items and buttons are bound to them.
enum class TActionId {
    RotateBoard,
    Options,
    Undo,
    Redo,
    NewGame,
    Advice,
    UndoAll,
    RedoAll,
    BrainOptions,
    Setup,
    Continue,
    EmptySquare,
    WhitePawn,
    BlackPawn,
    WhiteKing,
    BlackKing,
    Clear,
    Delegate,
    Arrange,
    BoardView,
    BoardSetup,
    Sides,
    Count
};
inline constexpr int ActionCount = static_cast<int>(TActionId::Count);

// The quick presets of "&Game" -> "&Quick select", in menu order (the order of Presets): the
// six of the first four families, then Russian, Pool, Czech and Italian draughts.
inline constexpr int PresetCount = 10;

class TMainForm;

// A 34 x 34 button at (row, column) of the command grid of MainPanel or SetupPanel.
QToolButton* CreateCommandButton(QFrame* panel, const char* name, int row, int column);

// What the game flow reports, shown by the main window's widgets.
class TFlowBinding final : public TFlowView {
  public:
    explicit TFlowBinding(TMainForm& form) : Form(form) {}
    TGame NewRecord() override;
    TGameOptions GameOptions() override;
    TThinkRequest Level(const TGame& game) override;
    // Enables and shows the widgets of the commands; the command panel and the setup panel
    // change places as the flow enters and leaves setup.
    void CommandsChanged(const TCommandStates& states) override;
    void LayoutPass() override;
    void ResetMoveInput() override;
    void RedrawBoard() override;
    void GameReplaced() override;
    void HistoryMoved() override;
    void SideToMoveChanged() override;
    void MoverIndicator(bool adviser) override;
    void ClearForecasts(bool white, bool black) override;
    void MoveStarting(int index) override;
    void MovePlayed(const TMove& move) override;
    void ShowMovePath(int index) override;
    void PlaySound(TSound sound) override;
    void ShowResult(const TOutcome& outcome) override;
    bool ConfirmNewGame() override;
    void AdviserChanged(bool down) override;
    void HandOverToHumans() override;
    void SearchStarting() override;

  private:
    TMainForm& Form;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
    friend class TFlowBinding;

  public:
    // The window's section of the settings file.
    static constexpr const char* Section = "TMainForm";

    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The command line after the program's name; "load FILE" starts with that position
    // instead of a new game.
    void SetStartArguments(const QStringList& arguments) { StartArguments = arguments; }
    // The window's section of the settings file: placement, sound switch and size.
    void RestoreState(const TIniFile& ini);
    void SaveState(TIniFile& ini) const;

    // Sets the mode and enables or shows every command accordingly.
    void SetMode(TMode mode) { Flow.SetMode(mode); }
    // Replaces the game by a record holding a loaded or set-up position and goes on from it.
    void UseGame(TGame game) { Flow.UseGame(std::move(game)); }
    // Reads a position file and plays on from it as a new game; a bad file changes nothing
    // and is reported in one error box. Answers whether the position was loaded.
    bool LoadPosition(const QString& fileName);
    // Reads the first game of a PDN file and plays on from its last position, its moves kept
    // for Undo and Redo. A move that cannot be played is reported with its line, and the game
    // is loaded up to the move before it; a file that cannot be read, or whose tags set up no
    // board, changes nothing. Answers whether a game was loaded.
    bool OpenGame(const QString& fileName);
    // Plays on from the position of a FEN as from a position file. A FEN of another board or
    // other rules asks first; a text that is no FEN is reported and changes nothing. Answers
    // whether the position was taken.
    bool PastePosition(const QString& text);
    // Sets a board or rules setting the way the options do: a real change of Rows, Files,
    // Coloring or the rules rebuilds the game for the new board (keeping the cell size) and
    // updates the caption; setting the value it already has does nothing. Answers whether the
    // value changed.
    bool ChangeSetting(TSetting setting, int value);
    // Makes the window as large as the work area; the next layout pass shrinks it around the
    // board and brings it back onto the work area.
    void FitToScreen();
    // The window is shown and stands where the layout pass put it: nothing is pending.
    bool PlacementSettled() const;
    // After an error escaped a command: if no command is running any more, the window
    // returns to Play so that it goes on taking clicks.
    void RecoverAfterError() { Flow.RecoverAfterError(); }

    // What the window shows and holds, for the tests and the other windows.
    TMode Mode() const { return Flow.Mode(); }
    bool IsGameOver() const { return Flow.GameOver(); }
    bool IsThinking() const { return Flow.Thinking(); }
    // The first game has been started (or loaded) after the window was first shown.
    bool Started() const { return StartDone; }
    TGame* Game() { return Flow.GamePointer(); }
    TBoardGrid& Board() { return *BoardRxDrawGrid; }
    TMoveListPanel& MoveList() const { return *MoveListPanel; }
    bool MoveListShown() const;
    THumanMove& MoveInput() { return *HumanMove; }
    QAction* Action(TActionId id) const { return Actions[static_cast<std::size_t>(id)]; }
    QAction* SoundItem() const { return NSound; }
    QAction* ExitItem() const { return NExit; }
    // A menu item by its name ("NOpen", "NVorna", "PWhiteKing", "NKingDlm", ...).
    QAction* MenuItem(const QString& name) const;
    QAction* PresetItem(int preset) const { return PresetItems[std::size_t(preset)]; }
    QMenu* ToolMenu() const { return RxPopupMenu; }
    TTuneForm& Options() const { return *TuneForm; }
    TAboutForm& About() const { return *AboutForm; }
    bool SetupPanelShown() const { return SetupShown; }
    TSetupCursor SetupTool() const { return CurrentTool; }
    QToolButton* AdviserButton() const { return AutoSpeedButton; }
    QToolButton* StopButton() const { return StopSpeedButton; }
    QString ForecastText(TPanel panel) const { return Panels->ForecastText(panel); }
    // The resource pictures now shown by a panel's side and mover indicators.
    QString SidePicture(TPanel panel) const { return Panels->SidePicture(panel); }
    QString MoverPicture(TPanel panel) const { return Panels->MoverPicture(panel); }
    const TSounds& Sounds() const { return *SoundPlayers; }

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using TWhen = TGameFlow::TWhen;

    // main_form_layout.cpp
    void CreatePanels();
    void CreateActions();
    void FitBoard();
    void UpdateLayout();
    void ScheduleLayout();
    QRect WorkArea() const;
    int WorkAreaHeight() const;
    int WorkAreaWidth() const;
    void FormActivate();
    void RotateBoardActionExecute();
    void NSoundClick();
    void NExitClick();
    void NReferenceClick();
    void NAboutClick();

    // main_form_placement.cpp
    // Gives the window the frame asked for at start-up, for a frame with these margins.
    void ApplyStartPlacement(const QMargins& margins);
    // The window manager's frame has come or changed.
    void FrameChanged(const QMargins& margins);

    // main_form_flow.cpp
    // Every command of an action, a button, a menu item or the options dialog runs through
    // here: through the flow's busy guard (an Idle command is refused while another one is
    // under way), and an error escaping it is shown in an error box, after which the window
    // is usable again.
    void RunCommand(TWhen when, const std::function<void()>& command);
    // Marks the squares of the move that led to the current position when "Last move" is
    // checked; no mark without one, while a position is set up, or with the box unchecked.
    void ShowLastMove();
    void NewGameActionExecute();
    void UndoActionExecute();
    void RedoActionExecute();
    void UndoAllActionExecute();
    void RedoAllActionExecute();
    void AdviceActionExecute();
    void AutoSpeedButtonClick();
    void StopSpeedButtonClick();

    // main_form_menus.cpp
    void CreateMenus();
    // A menu item of its own that runs command and follows its state; a checked command is
    // shown by a check mark or by a bold caption.
    enum class TCheckShown { Mark, Bold };
    QAction* MirrorAction(const char* name, const char* caption, QAction* command,
                          TCheckShown shown = TCheckShown::Mark);
    // A menu item with a handler of its own, run through the command guard.
    QAction* OwnItem(const char* name, const char* caption, TWhen when,
                     void (TMainForm::*handler)());

    // main_form_setup.cpp
    void CreateSetupPanel();
    void CreateToolMenu();
    void SetupActionExecute();
    void ContinueActionExecute();
    void ChooseTool(TSetupCursor tool);
    void EmptySquareActionExecute() { ChooseTool(TSetupCursor::EmptySquare); }
    void WhitePawnActionExecute() { ChooseTool(TSetupCursor::WhitePawn); }
    void BlackPawnActionExecute() { ChooseTool(TSetupCursor::BlackPawn); }
    void WhiteKingActionExecute() { ChooseTool(TSetupCursor::WhiteKing); }
    void BlackKingActionExecute() { ChooseTool(TSetupCursor::BlackKing); }
    void ClearActionExecute();
    void DelegateActionExecute();
    void ArrangeActionExecute();
    void RxPopupMenuPopup(QPoint globalPosition);

    // main_form_presets.cpp
    void CreatePresetItems();
    void NVornaClick(int preset);
    // The caption's name of a board: its preset's menu caption, else the rules it is
    // played by.
    QString BoardCaption(TRules rules, int rows, int files, bool coloring) const;
    void UpdateCaption();
    void BoardSettingChanged();

    // main_form_options.cpp
    void CreateOptions();
    void ShowOptions(std::optional<TTunePage> page);
    void OptionsActionExecute();
    void BrainOptionsActionExecute();
    void SidesActionExecute();
    void BoardViewActionExecute();
    void BoardSetupActionExecute();
    void PicturesChanged(bool swapForecasts);
    void SelectSkin(int skin);

    // main_form_files.cpp
    void NOpenClick();
    void NSaveClick();

    // main_form_games.cpp
    void NOpenGameClick();
    void NSaveGameClick();
    void NCopyPositionClick();
    void NPastePositionClick();
    // Puts a board into the settings as position files and presets do (each real change
    // rebuilding the game and resizing the window), and builds its geometry.
    void ChangeBoard(TRules rules, int rows, int files, bool coloring);

    // main_form_move_list.cpp
    void CreateMoveList();
    void NMoveListClick();
    // Shows or hides the list, the window growing or shrinking by its width so that the
    // board keeps its size and place.
    void SetMoveListShown(bool shown);
    // Fills the list from the game record; nothing while the list is hidden.
    void ShowMoveList();

    // main_form_input.cpp
    void BoardRxDrawGridMouseDown(Qt::MouseButton button, QPoint position);

    // The course of the game, and what it reports to the window.
    TFlowBinding Binding{*this};
    TGameFlow Flow{Binding};
    bool FitPending = false;
    bool CentrePending = false; // no stored place: the layout pass centres the window
    bool StartDone = false;
    bool StartScheduled = false;
    bool LayoutScheduled = false;
    bool SetupShown = false; // the setup panel stands in the command panel's place

    // The window's place (main_form_storage.cpp, main_form_placement.cpp): NormPos as
    // stored, the two stored sizes, and the frame asked for at start-up, which is given again
    // once the window manager has framed the window and the frame's true size is known.
    TWindowPlacement* Placement = nullptr;
    std::optional<int> StoredHeight;
    std::optional<int> StoredWidth;
    QSize StartFrameSize;
    std::optional<QPoint> StartTopLeft;
    bool StartPlacementPending = false;
    QMargins PlacedMargins; // the frame's margins when the window was last placed
    // What the window manager has still to answer.
    TFrameSync* FrameSync = nullptr;
    std::optional<QPoint> FitOrigin; // where the pending fit starts from, if not from the frame
    QStringList StartArguments;

    // Widgets, owned by their Qt parents.
    QFrame* BoardPanel = nullptr;
    TBoardGrid* BoardRxDrawGrid = nullptr;
    QWidget* RightPanel = nullptr;
    QFrame* MainPanel = nullptr;
    QFrame* SetupPanel = nullptr;
    std::unique_ptr<TSidePanels> Panels;
    std::unique_ptr<TEngineReport> EngineReport;
    QToolButton* HelpSpeedButton = nullptr;
    QToolButton* AutoSpeedButton = nullptr;
    QToolButton* StopSpeedButton = nullptr;
    std::array<QAction*, ActionCount> Actions{};
    QActionGroup* SetupTools = nullptr;
    TSetupCursor CurrentTool = TSetupCursor::EmptySquare;
    QMenu* RxPopupMenu = nullptr;
    QAction* NKingDlm = nullptr;
    QMenu* NQuick = nullptr;
    std::array<QAction*, PresetCount> PresetItems{};
    TTuneForm* TuneForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    // The picture numbers (light, dark, mark) the board was last drawn with.
    std::array<int, 3> DrawnPictures{};
    QAction* NSound = nullptr;
    QAction* NExit = nullptr;
    QAction* NMoveList = nullptr;
    TMoveListPanel* MoveListPanel = nullptr;

    // The board's helpers and the sounds.
    std::unique_ptr<THumanMove> HumanMove;
    std::unique_ptr<TMoveDisplay> MoveDisplay;
    TSounds* SoundPlayers = nullptr;
};

} // namespace quorvin
