// The side panels and the engine's report into them; see side_panels.h.
#include "side_panels.h"

#include "app_resources.h"
#include "lang_changer.h"
#include "settings.h"
#include "think_texts.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace quorvin {

namespace {

// The size of a panel and of its two indicators, in pixels.
constexpr int PanelWidth = 140;
constexpr int PanelHeight = 88;
constexpr int IndicatorSize = 40;
// The colour that marks a glyph's transparent pixels, taken from its bottom-left pixel.
constexpr QRgb GlyphKeyColour = qRgb(0, 128, 0);
// The picture inside an indicator keeps this margin to the button's edge.
constexpr int GlyphMargin = 6;

} // namespace

TSidePanels::TSidePanels(QWidget* parent) {
    for (TPanel panel : {TPanel::Up, TPanel::Down})
        Frames[Index(panel)] = CreatePanel(panel, parent);
}

QFrame* TSidePanels::CreatePanel(TPanel panel, QWidget* parent) {
    const QString prefix = panel == TPanel::Up ? QStringLiteral("Up") : QStringLiteral("Down");
    auto* frame = new QFrame(parent);
    frame->setObjectName(prefix + QStringLiteral("Panel"));
    frame->setFixedSize(PanelWidth, PanelHeight);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);

    auto makeIndicator = [&](const QString& name, int x) {
        auto* button = new QToolButton(frame);
        button->setObjectName(prefix + name);
        button->setGeometry(x, 4, IndicatorSize, IndicatorSize);
        button->setAutoRaise(true);
        button->setCursor(Qt::PointingHandCursor);
        return button;
    };
    SideSpeedButtons[Index(panel)] = makeIndicator(QStringLiteral("SideSpeedButton"), 6);
    MoverSpeedButtons[Index(panel)] = makeIndicator(QStringLiteral("MoverSpeedButton"), 50);

    auto* forecast = new QLabel(frame);
    forecast->setObjectName(prefix + QStringLiteral("ForecastStaticText"));
    forecast->setGeometry(6, 48, PanelWidth - 12, PanelHeight - 52);
    forecast->setWordWrap(true);
    forecast->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ForecastStaticTexts[Index(panel)] = forecast;
    return frame;
}

bool TSidePanels::SideAtBottom(int side) {
    const bool whiteTop = Settings().Checked(TSetting::WhiteTop);
    return side == White ? !whiteTop : whiteTop;
}

bool TSidePanels::PanelShowsWhite(TPanel panel) {
    return (panel == TPanel::Down) == SideAtBottom(White);
}

TPanel TSidePanels::PanelOfSide(int side) {
    return SideAtBottom(side) ? TPanel::Down : TPanel::Up;
}

QIcon TSidePanels::ComposeGlyph(const QString& picture) const {
    // The work picture: button face, the picture stretched over it, and the key colour in
    // the bottom-left pixel, which makes every pixel of that colour transparent.
    const QSize client = MoverSpeedButtons[0]->contentsRect().size();
    const QSize size(std::max(1, client.width() - GlyphMargin),
                     std::max(1, client.height() - GlyphMargin));
    QImage work(size, QImage::Format_ARGB32);
    work.fill(MoverSpeedButtons[0]->palette().color(QPalette::Button));
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

void TSidePanels::ShowGlyph(QToolButton* button, const QString& picture) const {
    button->setIconSize(button->contentsRect().size() - QSize(GlyphMargin, GlyphMargin));
    button->setIcon(ComposeGlyph(picture));
}

void TSidePanels::UpdateSideIndicators(int sideToMove) {
    for (TPanel panel : {TPanel::Up, TPanel::Down}) {
        const int side = PanelShowsWhite(panel) ? White : Black;
        const char* picture = side != sideToMove ? Resource::EmptyImage
                              : side == White    ? Resource::WhiteImage
                                                 : Resource::BlackImage;
        SidePictures[Index(panel)] = QString::fromLatin1(picture);
        ShowGlyph(SideSpeedButtons[Index(panel)], SidePictures[Index(panel)]);
    }
}

void TSidePanels::UpdateMoverIndicator(TPanel panel, bool adviser) {
    const int side = PanelShowsWhite(panel) ? White : Black;
    const bool computer = Settings().IsComputerSide(side) || adviser;
    MoverPictures[Index(panel)] =
        QString::fromLatin1(computer ? Resource::ComputerImage : Resource::HumanImage);
    ShowGlyph(MoverSpeedButtons[Index(panel)], MoverPictures[Index(panel)]);
}

void TSidePanels::RefreshPanels(int sideToMove, bool swapForecasts) {
    UpdateSideIndicators(sideToMove);
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

QString TSidePanels::ForecastText(TPanel panel) const {
    return ForecastStaticTexts[Index(panel)]->text();
}

void TSidePanels::SetForecastText(int side, const QString& text) {
    ForecastStaticTexts[Index(PanelOfSide(side))]->setText(text);
}

void TSidePanels::ClearForecasts(bool white, bool black) {
    if (white) SetForecastText(White, QString());
    if (black) SetForecastText(Black, QString());
}

void TEngineReport::IterationStarted(int, double budget) {
    StatisticTexts[static_cast<std::size_t>(TStatistic::Loading)]->setText(LoadingText(budget));
}

void TEngineReport::IterationDone(const TThinkIteration& iteration) {
    const auto texts = IterationTexts(iteration);
    for (std::size_t i = 0; i < texts.size(); ++i) StatisticTexts[i + 1]->setText(texts[i]);
    if (Settings().Checked(TSetting::Forecast))
        Panels.SetForecastText(
            iteration.Side,
            QString::fromStdString(quorvin::ForecastText(iteration.Score, [](const std::string& s) {
                return TranslateText(QString::fromStdString(s)).toStdString();
            })));
}

void TEngineReport::NoSearch(int side) {
    Panels.SetForecastText(side, QString());
}

void TEngineReport::SearchFinished() {
    // Nothing is left to break.
    if (Finished) Finished();
}

} // namespace quorvin
