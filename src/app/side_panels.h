// The two side panels beside the board: for the upper and the lower side of the board, who is
// to move (the side indicator), who plays it (the mover indicator: a person or the computer)
// and what the engine forecasts; and the engine's report of its search into them and into the
// statistics texts, which stay hidden.
#pragma once

#include "think.h"

#include <QIcon>
#include <QString>

#include <array>
#include <functional>

class QFrame;
class QLabel;
class QToolButton;
class QWidget;

namespace quorvin {

enum class TPanel { Up, Down };

class TSidePanels {
  public:
    // Makes both panels as children of parent; the window lays them out.
    explicit TSidePanels(QWidget* parent);

    QFrame* Frame(TPanel panel) const { return Frames[Index(panel)]; }
    QToolButton* SideButton(TPanel panel) const { return SideSpeedButtons[Index(panel)]; }
    QToolButton* MoverButton(TPanel panel) const { return MoverSpeedButtons[Index(panel)]; }

    // The lower panel belongs to the side drawn at the bottom of the board.
    static bool SideAtBottom(int side);
    static bool PanelShowsWhite(TPanel panel);
    static TPanel PanelOfSide(int side);

    // The side indicators show the piece of the side to move (none: -1) and nothing else.
    void UpdateSideIndicators(int sideToMove);
    // The computer when the panel's side is played by it or adviser is true, else a person.
    void UpdateMoverIndicator(TPanel panel, bool adviser);
    // Both kinds of indicator anew; with swapForecasts the two forecast texts change places,
    // since the board was turned.
    void RefreshPanels(int sideToMove, bool swapForecasts);
    void SetForecastText(int side, const QString& text);
    void ClearForecasts(bool white, bool black);

    QString ForecastText(TPanel panel) const;
    // The resource pictures now shown by a panel's side and mover indicators.
    QString SidePicture(TPanel panel) const { return SidePictures[Index(panel)]; }
    QString MoverPicture(TPanel panel) const { return MoverPictures[Index(panel)]; }

  private:
    static std::size_t Index(TPanel panel) { return static_cast<std::size_t>(panel); }
    QFrame* CreatePanel(TPanel panel, QWidget* parent);
    QIcon ComposeGlyph(const QString& picture) const;
    void ShowGlyph(QToolButton* button, const QString& picture) const;

    std::array<QFrame*, 2> Frames{};                 // [TPanel]
    std::array<QToolButton*, 2> SideSpeedButtons{};  // [TPanel]
    std::array<QToolButton*, 2> MoverSpeedButtons{}; // [TPanel]
    std::array<QLabel*, 2> ForecastStaticTexts{};    // [TPanel]
    std::array<QString, 2> SidePictures;             // [TPanel]
    std::array<QString, 2> MoverPictures;            // [TPanel]
};

// The engine's view of the window: its statistics texts, the forecast of the side it moves
// for, and the end of the search.
class TEngineReport final : public TThinkObserver {
  public:
    TEngineReport(TSidePanels& panels, const std::array<QLabel*, 5>& statistics,
                  std::function<void()> searchFinished)
        : Panels(panels), StatisticTexts(statistics), Finished(std::move(searchFinished)) {}
    void IterationStarted(int side, double budget) override;
    void IterationDone(const TThinkIteration& iteration) override;
    void NoSearch(int side) override;
    void SearchFinished() override;

  private:
    TSidePanels& Panels;
    std::array<QLabel*, 5> StatisticTexts; // [TStatistic]
    std::function<void()> Finished;
};

} // namespace quorvin
