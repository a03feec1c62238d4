// The two side panels beside the board: for the upper and the lower side of the board, who
// is to move (the side indicator), who plays it (the mover indicator: human or computer) and
// what the engine forecasts. Also the engine's statistics texts, which stay hidden.
#include "main_form.h"

#include "app_resources.h"
#include "settings.h"
#include "think_texts.h"

#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace quorvin {

namespace {

// The colour that marks a glyph's transparent pixels, taken from its bottom-left pixel.
constexpr QRgb GlyphKeyColour = qRgb(0, 128, 0);
// The picture inside an indicator keeps this margin to the button's edge.
constexpr int GlyphMargin = 6;

} // namespace

bool TMainForm::SideAtBottom(int side) const {
    const bool whiteTop = Settings().Checked(TSetting::WhiteTop);
    return side == White ? !whiteTop : whiteTop;
}

bool TMainForm::PanelShowsWhite(TPanel panel) const {
    return (panel == TPanel::Down) == SideAtBottom(White);
}

TPanel TMainForm::PanelOfSide(int side) const {
    return SideAtBottom(side) ? TPanel::Down : TPanel::Up;
}

TPanel TMainForm::PanelOfSideToMove() const {
    return PanelOfSide(GameRecord ? GameRecord->CurrentPosition().SideToMove : White);
}

QIcon TMainForm::ComposeGlyph(const QString& picture) const {
    // The work picture: button face, the picture stretched over it, and the key colour in
    // the bottom-left pixel, which makes every pixel of that colour transparent.
    const QSize client = MoverSpeedButtons[0]->contentsRect().size();
    const QSize size(std::max(1, client.width() - GlyphMargin),
                     std::max(1, client.height() - GlyphMargin));
    QImage work(size, QImage::Format_ARGB32);
    work.fill(palette().color(QPalette::Button));
    {
        QPainter painter(&work);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(work.rect(), QImage(picture));
    }
    work.setPixel(0, size.height() - 1, GlyphKeyColour);
    const QRgb key = work.pixel(0, size.height() - 1);
    for (int y = 0; y < work.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(work.scanLine(y));
        for (int x = 0; x < work.width(); ++x)
            if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
    }
    return QIcon(QPixmap::fromImage(work));
}

void TMainForm::UpdateSideIndicators() {
    const int toMove = GameRecord ? GameRecord->CurrentPosition().SideToMove : -1;
    for (TPanel panel : {TPanel::Up, TPanel::Down}) {
        const int side = PanelShowsWhite(panel) ? White : Black;
        const char* picture = side != toMove  ? Resource::EmptyImage
                              : side == White ? Resource::WhiteImage
                                              : Resource::BlackImage;
        SidePictures[Index(panel)] = QString::fromLatin1(picture);
        QToolButton* button = SideSpeedButtons[Index(panel)];
        button->setIconSize(button->contentsRect().size() - QSize(GlyphMargin, GlyphMargin));
        button->setIcon(ComposeGlyph(SidePictures[Index(panel)]));
    }
}

void TMainForm::UpdateMoverIndicator(TPanel panel, bool adviser) {
    const int side = PanelShowsWhite(panel) ? White : Black;
    const bool computer = Settings().IsComputerSide(side) || adviser;
    MoverPictures[Index(panel)] =
        QString::fromLatin1(computer ? Resource::ComputerImage : Resource::HumanImage);
    QToolButton* button = MoverSpeedButtons[Index(panel)];
    button->setIconSize(button->contentsRect().size() - QSize(GlyphMargin, GlyphMargin));
    button->setIcon(ComposeGlyph(MoverPictures[Index(panel)]));
}

void TMainForm::RefreshPanels(bool swapForecasts) {
    UpdateSideIndicators();
    UpdateMoverIndicator(TPanel::Up, false);
    UpdateMoverIndicator(TPanel::Down, false);
    if (swapForecasts) {
        QLabel* up = ForecastStaticTexts[Index(TPanel::Up)];
        QLabel* down = ForecastStaticTexts[Index(TPanel::Down)];
        const QString text = up->text();
        up->setText(down->text());
        down->setText(text);
    }
}

QString TMainForm::ForecastText(TPanel panel) const {
    return ForecastStaticTexts[Index(panel)]->text();
}

void TMainForm::SetForecastText(int side, const QString& text) {
    ForecastStaticTexts[Index(PanelOfSide(side))]->setText(text);
}

void TMainForm::ClearForecasts(bool white, bool black) {
    if (white) SetForecastText(White, QString());
    if (black) SetForecastText(Black, QString());
}

void TMainForm::ClearForecastsOfSideToMove() {
    if (!GameRecord) return;
    const int side = GameRecord->CurrentPosition().SideToMove;
    ClearForecasts(side == White, side == Black);
}

void TMainForm::TThinkView::IterationStarted(int, double budget) {
    Form.StatisticTexts[static_cast<std::size_t>(TStatistic::Loading)]->setText(
        LoadingText(budget));
}

void TMainForm::TThinkView::IterationDone(const TThinkIteration& iteration) {
    const auto texts = IterationTexts(iteration);
    for (std::size_t i = 0; i < texts.size(); ++i) Form.StatisticTexts[i + 1]->setText(texts[i]);
    if (Settings().Checked(TSetting::Forecast))
        Form.SetForecastText(iteration.Side, QString::fromStdString(quorvin::ForecastText(
                                                 iteration.Score, [](const std::string& s) {
                                                     return Translated(s.c_str()).toStdString();
                                                 })));
}

void TMainForm::TThinkView::NoSearch(int side) {
    Form.SetForecastText(side, QString());
}

void TMainForm::TThinkView::SearchFinished() {
    // Nothing is left to break.
    Form.StopSpeedButton->setEnabled(false);
}

} // namespace quorvin
