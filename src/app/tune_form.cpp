// The options dialog; see tune_form.h.
#include "tune_form.h"

#include "data_module.h"
#include "picture_error.h"
#include "window_placement.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <optional>

namespace quorvin {

namespace {

const std::string Section(SettingsSection);
constexpr QSize PreviewSize(28, 28);

constexpr bool ItemsMatchRanges() {
    for (const auto& list : TuneItems)
        for (const auto& d : SettingTable)
            if (d.Name == list.Component && int(list.Items.size()) != d.Max - d.Min + 1)
                return false;
    return true;
}
static_assert(ItemsMatchRanges(), "every list has one text per value of its setting");

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A board size, changed by its arrows only: the number cannot be typed over. An arrow step
// that moves the value is reported, so that Synchro can take the other size along; a value
// set by the program is not a step.
class TSizeSpinBox final : public QSpinBox {
  public:
    TSizeSpinBox(std::function<void(int)> stepped, QWidget* parent)
        : QSpinBox(parent), Stepped(std::move(stepped)) {
        lineEdit()->setReadOnly(true);
    }

    void stepBy(int steps) override {
        const int before = value();
        QSpinBox::stepBy(steps);
        if (value() != before) Stepped(steps);
    }

  private:
    std::function<void(int)> Stepped;
};

QImage LoadPreview(const QString& pattern, int n) {
    QImage picture;
    try {
        LoadPicture(picture, BoardPictureFolder() + NumberedName(pattern, n));
    } catch (const TPictureError&) {
        return {}; // a missing picture leaves its item without a preview
    }
    return picture.scaled(PreviewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QIcon IconOf(const QImage& picture) {
    return picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture));
}

QButtonGroup* ButtonGroupOf(const QWidget* control) {
    return control ? control->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly)
                   : nullptr;
}

} // namespace

TTuneForm::TTuneForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TTuneForm"));
    Placement = new TWindowPlacement(*this, Section);
    LoadPreviews();

    TunePageControl = new QTabWidget(this);
    TunePageControl->setUsesScrollButtons(false); // every page's tab in sight
    Register(TSetting::ActivePage, TunePageControl);
    const std::array pages{CreateViewPage(),      CreateBoardPage(), CreateSidesPage(),
                           CreateBehaviourPage(), CreateBrainPage(), CreateDrawPage(),
                           CreateRulesPage()};
    static_assert(pages.size() == TunePageNames.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        pages[i]->setObjectName(ToQString(TunePageNames[i]));
        TunePageControl->addTab(pages[i], QString());
    }
    connect(TunePageControl, &QTabWidget::currentChanged, this,
            [this](int index) { Apply(TSetting::ActivePage, index); });

    ExitBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QString(), this);
    ExitBitBtn->setObjectName(QStringLiteral("ExitBitBtn"));
    ExitBitBtn->setDefault(true);
    connect(ExitBitBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ExitBitBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TunePageControl);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (const auto& text : TuneTexts) SetText(text.Component, text.Property, ToQString(text.Text));
    for (const auto& list : TuneItems) {
        QStringList items;
        for (const auto item : list.Items) items << ToQString(item);
        SetItems(list.Component, items);
    }
    Q_ASSERT(std::all_of(SettingTable.begin(), SettingTable.end(), [this](const TSettingDef& d) {
        return (Control(d.Id) != nullptr) == (d.Place == TSettingPlace::Options);
    }));
    SyncFromSettings();
}

void TTuneForm::Register(TSetting setting, QWidget* control) {
    control->setObjectName(ToQString(SettingDef(setting).Name));
    Controls[static_cast<int>(setting)] = control;
}

QWidget* TTuneForm::CreateCheckBox(TSetting setting) {
    auto* box = new QCheckBox;
    Register(setting, box);
    connect(box, &QCheckBox::toggled, this,
            [this, setting](bool checked) { Apply(setting, checked ? 1 : 0); });
    return box;
}

QGroupBox* TTuneForm::CreateRadioGroup(TSetting setting, int columns) {
    const auto& d = SettingDef(setting);
    auto* box = new QGroupBox;
    Register(setting, box);
    auto* group = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    for (int value = d.Min; value <= d.Max; ++value) {
        auto* button = new QRadioButton;
        button->setObjectName(ToQString(d.Name) + QString::number(value - d.Min));
        group->addButton(button, value);
        grid->addWidget(button, (value - d.Min) / columns, (value - d.Min) % columns);
    }
    connect(group, &QButtonGroup::idToggled, this, [this, setting](int id, bool checked) {
        if (checked) Apply(setting, id);
    });
    return box;
}

QSpinBox* TTuneForm::CreateSizeSpinBox(TSetting setting) {
    const auto& d = SettingDef(setting);
    auto* spin =
        new TSizeSpinBox([this, setting](int steps) { SizeStepped(setting, steps); }, nullptr);
    Register(setting, spin);
    spin->setRange(d.Min, d.Max);
    spin->setSingleStep(1);
    connect(spin, &QSpinBox::valueChanged, this,
            [this, setting](int value) { Apply(setting, value); });
    return spin;
}

QComboBox* TTuneForm::CreateLevelList(TSetting setting) {
    const auto& d = SettingDef(setting);
    auto* list = new QComboBox;
    Register(setting, list);
    for (int value = d.Min; value <= d.Max; ++value) list->addItem(QString());
    list->setMaxVisibleItems(d.Max - d.Min + 1);
    list->installEventFilter(this);
    connect(list, &QComboBox::currentIndexChanged, this,
            [this, setting](int index) { Apply(setting, index); });
    return list;
}

QWidget* TTuneForm::CreateViewPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* light = CreateRadioGroup(TSetting::LightPicture, 5);
    auto* dark = CreateRadioGroup(TSetting::DarkPicture, 5);
    auto* mark = CreateRadioGroup(TSetting::SelectPicture, 2);
    for (int n = 0; n < int(DarkPictures.size()); ++n) {
        ButtonGroupOf(light)->button(n)->setIcon(
            IconOf(LoadPreview(QStringLiteral("UnUsed?.jpg"), n)));
        ButtonGroupOf(dark)->button(n)->setIcon(IconOf(DarkPictures[n]));
    }
    for (auto* group : {light, dark, mark})
        for (auto* button : ButtonGroupOf(group)->buttons()) button->setIconSize(PreviewSize);
    layout->addWidget(light);
    layout->addWidget(dark);
    layout->addWidget(mark);
    layout->addWidget(CreateCheckBox(TSetting::WhiteTop));
    layout->addWidget(CreateCheckBox(TSetting::LastMove));
    layout->addStretch();
    return page;
}

QWidget* TTuneForm::CreateBoardPage() {
    auto* page = new QWidget;
    auto* sizes = new QGridLayout;
    const std::array<std::pair<TSetting, const char*>, 2> spins{
        {{TSetting::Rows, "LengthLabel"}, {TSetting::Files, "WidthLabel"}}};
    for (int row = 0; row < 2; ++row) {
        auto* spin = CreateSizeSpinBox(spins[row].first);
        auto* label = new QLabel;
        label->setObjectName(QLatin1String(spins[row].second));
        label->setBuddy(spin);
        sizes->addWidget(label, row, 0);
        sizes->addWidget(spin, row, 1);
    }
    sizes->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(sizes);
    for (const auto setting : {TSetting::Coloring, TSetting::Synchro, TSetting::AutoFit})
        layout->addWidget(CreateCheckBox(setting));
    layout->addStretch();
    return page;
}

QWidget* TTuneForm::CreateSidesPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(CreateRadioGroup(TSetting::Sides, 1));
    layout->addStretch();
    return page;
}

QWidget* TTuneForm::CreateBehaviourPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (const auto setting :
         {TSetting::AutoSingleMove, TSetting::Animation, TSetting::CaptureOneByOne,
          TSetting::MarkBlocked, TSetting::Forecast})
        layout->addWidget(CreateCheckBox(setting));
    layout->addStretch();
    return page;
}

QWidget* TTuneForm::CreateBrainPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    const std::array<std::array<TSetting, 2>, 2> players{
        {{TSetting::OpponentLevel, TSetting::OpponentDisposition},
         {TSetting::HinterLevel, TSetting::HinterDisposition}}};
    const std::array<const char*, 2> groups{"OpponentGroupBox", "HinterGroupBox"};
    for (std::size_t i = 0; i < players.size(); ++i) {
        auto* group = new QGroupBox;
        group->setObjectName(QLatin1String(groups[i]));
        auto* inner = new QVBoxLayout(group);
        inner->addWidget(CreateLevelList(players[i][0]));
        inner->addWidget(CreateCheckBox(players[i][1]));
        layout->addWidget(group);
    }
    layout->addStretch();
    return page;
}

QWidget* TTuneForm::CreateDrawPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (const auto setting :
         {TSetting::TripleRepetitionDraw, TSetting::QuietMovesDraw, TSetting::ThreeKingsDraw})
        layout->addWidget(CreateCheckBox(setting));
    layout->addStretch();
    return page;
}

QWidget* TTuneForm::CreateRulesPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(CreateRadioGroup(TSetting::Rules, 1));
    layout->addStretch();
    return page;
}

void TTuneForm::LoadPreviews() {
    for (int n = 0; n < int(DarkPictures.size()); ++n)
        DarkPictures[n] = LoadPreview(QStringLiteral("Used?.jpg"), n);
    for (int n = 0; n < int(MarkPictures.size()); ++n)
        MarkPictures[n] = LoadPreview(QStringLiteral("Select?.gif"), n);
}

// The mark is drawn over the dark square chosen now, as it is seen on the board.
void TTuneForm::UpdateMarkPreviews() {
    const QImage& square = DarkPictures[Settings().Get(TSetting::DarkPicture)];
    const auto* group = ButtonGroupOf(Control(TSetting::SelectPicture));
    for (int n = 0; n < int(MarkPictures.size()); ++n) {
        QImage preview =
            square.isNull() ? MarkPictures[n] : square.convertToFormat(QImage::Format_ARGB32);
        if (!square.isNull() && !MarkPictures[n].isNull()) {
            QPainter painter(&preview);
            painter.drawImage(preview.rect(), MarkPictures[n]);
        }
        group->button(n)->setIcon(IconOf(preview));
    }
}

QWidget* TTuneForm::Component(std::string_view name) const {
    const QString wanted = ToQString(name);
    if (wanted == objectName()) return const_cast<TTuneForm*>(this);
    return findChild<QWidget*>(wanted);
}

bool TTuneForm::SetText(std::string_view component, TTextProperty property, const QString& text) {
    QWidget* w = Component(component);
    if (!w) return false;
    const int page = w == this ? -1 : TunePageControl->indexOf(w);
    if (property == TTextProperty::Hint) {
        if (page >= 0)
            TunePageControl->setTabToolTip(page, text);
        else
            w->setToolTip(text);
        return true;
    }
    if (w == this) {
        setWindowTitle(text);
    } else if (page >= 0) {
        TunePageControl->setTabText(page, text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        box->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else {
        // A spin box's caption is the label that names it.
        const auto labels = findChildren<QLabel*>();
        const auto it = std::find_if(labels.begin(), labels.end(),
                                     [w](const QLabel* l) { return l->buddy() == w; });
        if (it == labels.end()) return false;
        (*it)->setText(text);
    }
    return true;
}

bool TTuneForm::SetItems(std::string_view component, const QStringList& items) {
    QWidget* w = Component(component);
    if (auto* list = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < std::min(int(items.size()), list->count()); ++i)
            list->setItemText(i, items[i]);
        return true;
    }
    if (const auto* group = ButtonGroupOf(w)) {
        const auto buttons = group->buttons();
        for (int i = 0; i < std::min(items.size(), buttons.size()); ++i)
            buttons[i]->setText(items[i]);
        return true;
    }
    return false;
}

void TTuneForm::Apply(TSetting setting, int value) {
    if (Settings().Get(setting) == value) return;
    const int oldRows = Settings().Rows();
    const int oldFiles = Settings().Files();
    Settings().Set(setting, value);
    emit SettingChanged(setting);
    switch (setting) {
    case TSetting::LightPicture:
    case TSetting::SelectPicture:
        emit PicturesChanged(false);
        break;
    case TSetting::DarkPicture:
        UpdateMarkPreviews();
        emit PicturesChanged(false);
        break;
    case TSetting::WhiteTop:
        emit PicturesChanged(true);
        break;
    case TSetting::Rows:
    case TSetting::Files:
    case TSetting::Coloring:
        Changed = true;
        emit BoardChanged(oldRows, oldFiles);
        break;
    case TSetting::AutoFit:
        if (value) emit FitRequested();
        break;
    case TSetting::Sides:
        emit SidesChanged();
        break;
    case TSetting::Forecast:
        emit ForecastChanged();
        break;
    case TSetting::Rules:
        Changed = true;
        UpdateEnables();
        emit RulesChanged();
        break;
    default:
        break;
    }
}

void TTuneForm::SizeStepped(TSetting setting, int steps) {
    if (!Settings().Checked(TSetting::Synchro)) return;
    auto* other = static_cast<QSpinBox*>(
        Control(setting == TSetting::Rows ? TSetting::Files : TSetting::Rows));
    // Set, not stepped, so that the other size does not take this one along in turn; the
    // range keeps it from passing 4 or 12.
    other->setValue(other->value() + steps * other->singleStep());
}

void TTuneForm::ShowValue(TSetting setting, int value) {
    QWidget* control = Control(setting);
    if (auto* group = ButtonGroupOf(control)) {
        const QSignalBlocker block(group);
        if (auto* button = group->button(value)) button->setChecked(true);
        return;
    }
    const QSignalBlocker block(control);
    if (auto* spin = qobject_cast<QSpinBox*>(control))
        spin->setValue(value);
    else if (auto* box = qobject_cast<QCheckBox*>(control))
        box->setChecked(value != 0);
    else if (auto* list = qobject_cast<QComboBox*>(control))
        list->setCurrentIndex(value);
    else if (auto* pages = qobject_cast<QTabWidget*>(control))
        pages->setCurrentIndex(value);
}

void TTuneForm::SyncFromSettings() {
    for (const auto& d : SettingTable)
        if (d.Place == TSettingPlace::Options) ShowValue(d.Id, Settings().Get(d.Id));
    UpdateEnables();
    UpdateMarkPreviews();
}

// Blocked pieces are marked only in Vorna; Vorna has none of the three draw rules, and the
// three-kings rule holds only where kings fly.
void TTuneForm::UpdateEnables() {
    const bool vorna = Settings().IsVornaRules();
    Control(TSetting::MarkBlocked)->setEnabled(vorna);
    Control(TSetting::TripleRepetitionDraw)->setEnabled(!vorna);
    Control(TSetting::QuietMovesDraw)->setEnabled(!vorna);
    Control(TSetting::ThreeKingsDraw)->setEnabled(ThreeKingsRuleApplies(Settings().Rules()));
}

void TTuneForm::SetActivePage(TTunePage page) {
    Settings().Set(TSetting::ActivePage, static_cast<int>(page));
    ShowValue(TSetting::ActivePage, Settings().Get(TSetting::ActivePage));
}

int TTuneForm::ShowPage(TTunePage page) {
    SetActivePage(page);
    return exec();
}

void TTuneForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        SyncFromSettings();
        Changed = false;
    }
    QDialog::showEvent(event);
}

// The level lists swallow typed keys (letters and arrows alike) and the mouse wheel, so that
// a level is only ever picked from the opened list. Keys that move the focus, close the
// dialog or open the list still work.
bool TTuneForm::eventFilter(QObject* watched, QEvent* event) {
    const bool levelList =
        watched == Control(TSetting::OpponentLevel) || watched == Control(TSetting::HinterLevel);
    if (!levelList) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::Wheel) return true;
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F4:
    case Qt::Key_Space:
        return false;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return !(key->modifiers() & Qt::AltModifier); // Alt+arrow opens the list
    default:
        return true;
    }
}

void TTuneForm::RestoreState(const TIniFile& ini) {
    Placement->Restore(ini);
}

void TTuneForm::SaveState(TIniFile& ini) const {
    Placement->Save(ini);
}

} // namespace quorvin
