// The About box; see about_form.h.
#include "about_form.h"

#include "app_resources.h"
#include "lang_changer.h"
#include "window_placement.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace quorvin {

namespace {

QString Text(TAboutText id) {
    return EnglishText(AboutFormTexts[static_cast<std::size_t>(id)]);
}

QLabel* NamedLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

QString VersionLine() {
    return TranslateText(QStringLiteral("Version")) + QStringLiteral(" " QUORVIN_VERSION);
}

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    InitAppResources();
    setObjectName(QStringLiteral("TAboutForm"));
    Placement = new TWindowPlacement(*this, Section);
    setWindowTitle(Text(TAboutText::Caption));
    setWindowFlag(Qt::WindowStaysOnTopHint);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QString::fromLatin1(Resource::Icon32)));
    Image1->setFixedSize(32, 32);

    ProgramNameLabel =
        NamedLabel(QStringLiteral("ProgramNameLabel"), Text(TAboutText::ProgramName), this);
    QFont nameFont = ProgramNameLabel->font();
    nameFont.setPixelSize(43);
    nameFont.setBold(true);
    ProgramNameLabel->setFont(nameFont);
    VersionStaticText =
        NamedLabel(QStringLiteral("VersionStaticText"), Text(TAboutText::Version), this);
    MottoStaticText = NamedLabel(QStringLiteral("MottoStaticText"), Text(TAboutText::Motto), this);

    OKBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                               Text(TAboutText::OK), this);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    OKBitBtn->setDefault(true);
    connect(OKBitBtn, &QPushButton::clicked, this, &TAboutForm::OKBitBtnClick);

    // The icon beside the three lines of text, the button centred below them all. The box
    // takes the size its contents need and cannot be resized.
    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(16);
    layout->addWidget(Image1, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(ProgramNameLabel, 0, 1);
    layout->addWidget(VersionStaticText, 1, 1);
    layout->addWidget(MottoStaticText, 2, 1);
    layout->addWidget(OKBitBtn, 3, 0, 1, 2, Qt::AlignHCenter);
    layout->setRowMinimumHeight(3, OKBitBtn->sizeHint().height() + 12);
}

void TAboutForm::SetVersionText(const QString& text) {
    VersionStaticText->setText(text);
}

QString TAboutForm::VersionText() const {
    return VersionStaticText->text();
}

void TAboutForm::RestoreState(const TIniFile& ini) {
    Placement->Restore(ini);
}

void TAboutForm::SaveState(TIniFile& ini) const {
    Placement->Save(ini);
}

void TAboutForm::OKBitBtnClick() {
    accept();
}

} // namespace quorvin
