// The splash window and its wait; see title_form.h.
#include "title_form.h"

#include "app_resources.h"
#include "lang_changer.h"
#include "waits.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace quorvin {

namespace {

QString Text(TTitleText id) {
    return EnglishText(TitleFormTexts[static_cast<std::size_t>(id)]);
}

// The picture sits inside the panel's raised bevel.
constexpr int PictureMargin = 4;
constexpr int NameTop = 24;
constexpr int MottoGap = 4;

// Times New Roman where it is installed; otherwise the serif face the system offers for it.
QFont TitleFont(int pixelHeight, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("Nimbus Roman"), QStringLiteral("DejaVu Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QLabel* TitleLabel(const QString& name, const QString& text, const QFont& font, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setAutoFillBackground(false); // the picture shows through
    return label;
}

} // namespace

TTitleForm::TTitleForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
    InitAppResources();
    setObjectName(QStringLiteral("TTitleForm"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(ClientWidth, ClientHeight);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel1->setGeometry(rect());

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QString::fromLatin1(Resource::Splash)));
    Image1->setScaledContents(true);
    Image1->setGeometry(
        rect().adjusted(PictureMargin, PictureMargin, -PictureMargin, -PictureMargin));

    // Both texts span the whole width, so that a translation of any length stays centred.
    NameAndVersionLabel = TitleLabel(QStringLiteral("NameAndVersionLabel"),
                                     Text(TTitleText::NameAndVersion), TitleFont(64, true), Panel1);
    NameAndVersionLabel->setGeometry(0, NameTop, width(),
                                     QFontMetrics(NameAndVersionLabel->font()).height());
    MottoLabel = TitleLabel(QStringLiteral("MottoLabel"), Text(TTitleText::Motto),
                            TitleFont(43, false), Panel1);
    MottoLabel->setGeometry(0, NameAndVersionLabel->geometry().bottom() + 1 + MottoGap, width(),
                            QFontMetrics(MottoLabel->font()).height());

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void ShowSplash(TTitleForm& splash, std::chrono::steady_clock::time_point start, int milliseconds) {
    using namespace std::chrono;
    const auto scaled = microseconds(std::llround(std::max(0, milliseconds) * WaitScale() * 1000));
    const steady_clock::time_point deadline = start + scaled;

    splash.show();
    splash.raise();
    splash.repaint();
    QCoreApplication::processEvents();

    // A nested loop until the deadline serves the events without polling; it goes round again
    // should the timer come a little early.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (;;) {
        const auto left = ceil<std::chrono::milliseconds>(deadline - steady_clock::now());
        if (left.count() <= 0) break;
        timer.start(left);
        loop.exec();
    }
    splash.hide();
}

} // namespace quorvin
