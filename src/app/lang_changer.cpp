// Applying language files to the windows; see lang_changer.h. The window layouts name their
// properties as "Caption", "Hint", "Items", "Lines", "Left", "Font.Name" and so on; the table
// PropertyRules below says what each of them is on the Qt widgets that stand in for them.
#include "lang_changer.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QWidget>

#include <array>
#include <span>
#include <string_view>
#include <variant>

namespace quorvin {

namespace {

// A value converted for the type of its property.
using TValue = std::variant<QString, int, double, QStringList>;

enum class TValueKind { Text, Integer, Float, List, Object };

struct TPropertyRule {
    std::string_view Name; // as the window layouts write it; matched without regard to case
    TValueKind Kind;
    // Sets the value; false when this kind of object has no such property.
    bool (*Set)(QObject& object, const TValue& value);
    // For an object property: the properties of that object, set through the same QObject
    // (a font belongs to its widget).
    std::span<const TPropertyRule> Members;
};

// The setters take the value type of their property; these wrap them for the table.
template <bool (*F)(QObject&, const QString&)>
constexpr TPropertyRule TextRule(std::string_view name) {
    return {name,
            TValueKind::Text,
            [](QObject& o, const TValue& v) { return F(o, std::get<QString>(v)); },
            {}};
}
template <bool (*F)(QObject&, int)> constexpr TPropertyRule IntegerRule(std::string_view name) {
    return {name,
            TValueKind::Integer,
            [](QObject& o, const TValue& v) { return F(o, std::get<int>(v)); },
            {}};
}
template <bool (*F)(QObject&, const QStringList&)>
constexpr TPropertyRule ListRule(std::string_view name) {
    return {name,
            TValueKind::List,
            [](QObject& o, const TValue& v) { return F(o, std::get<QStringList>(v)); },
            {}};
}
constexpr TPropertyRule ObjectRule(std::string_view name, std::span<const TPropertyRule> members) {
    return {name, TValueKind::Object, nullptr, members};
}

// ---- Captions and hints

// The tab widget whose page w is, if it is one.
QTabWidget* TabWidgetOf(const QWidget& w) {
    if (auto* stack = qobject_cast<QStackedWidget*>(w.parentWidget()))
        return qobject_cast<QTabWidget*>(stack->parentWidget());
    return nullptr;
}

bool SetCaption(QObject& o, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(&o)) {
        action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(&o)) {
        menu->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&o)) {
        button->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(&o)) {
        box->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(&o)) {
        label->setText(text);
    } else if (auto* w = qobject_cast<QWidget*>(&o)) {
        if (QTabWidget* tabs = TabWidgetOf(*w); tabs && tabs->indexOf(w) >= 0)
            tabs->setTabText(tabs->indexOf(w), text);
        else if (w->isWindow())
            w->setWindowTitle(text);
        else
            return false;
    } else {
        return false;
    }
    return true;
}

// A hint "short|long" shows its short part as the tool tip and its long part in the status
// bar; a hint without "|" is both.
bool SetHint(QObject& o, const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    const QString shortHint = bar < 0 ? hint : hint.left(bar);
    const QString longHint = bar < 0 ? hint : hint.mid(bar + 1);
    if (auto* action = qobject_cast<QAction*>(&o)) {
        action->setToolTip(shortHint);
        action->setStatusTip(longHint);
    } else if (auto* w = qobject_cast<QWidget*>(&o)) {
        w->setToolTip(shortHint);
        w->setStatusTip(longHint);
    } else {
        return false;
    }
    return true;
}

// ---- Lists

// The radio buttons of a radio group, in the order they were made.
QList<QRadioButton*> RadioButtonsOf(const QGroupBox& box) {
    return box.findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

// Gives a radio group one button per item: the buttons it has take the items in order, a
// button left without an item is hidden, and an item left without a button gets a new one in
// the group's layout and button group.
void SetRadioItems(QGroupBox& box, QList<QRadioButton*> buttons, const QStringList& items) {
    QButtonGroup* group = buttons.front()->group();
    for (qsizetype i = buttons.size(); i < items.size(); ++i) {
        auto* button = new QRadioButton(&box);
        button->setObjectName(box.objectName() + QString::number(i));
        if (box.layout()) box.layout()->addWidget(button);
        if (group) group->addButton(button, group->id(buttons.back()) >= 0 ? int(i) : -1);
        buttons.append(button);
    }
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        if (i < items.size()) buttons[i]->setText(items[i]);
        buttons[i]->setVisible(i < items.size());
    }
}

bool SetItems(QObject& o, const QStringList& items) {
    // Replacing the items is no choice of the user's: no change signal goes out, and the
    // chosen item stays chosen when the new list still has it.
    if (auto* combo = qobject_cast<QComboBox*>(&o)) {
        const QSignalBlocker quiet(combo);
        const int index = combo->currentIndex();
        combo->clear();
        combo->addItems(items);
        combo->setCurrentIndex(index < combo->count() ? index : -1);
    } else if (auto* list = qobject_cast<QListWidget*>(&o)) {
        const QSignalBlocker quiet(list);
        const int row = list->currentRow();
        list->clear();
        list->addItems(items);
        list->setCurrentRow(row < list->count() ? row : -1);
    } else if (auto* box = qobject_cast<QGroupBox*>(&o)) {
        const QList<QRadioButton*> buttons = RadioButtonsOf(*box);
        if (buttons.isEmpty()) return false;
        SetRadioItems(*box, buttons, items);
    } else {
        return false;
    }
    return true;
}

bool SetLines(QObject& o, const QStringList& lines) {
    const QString text = lines.join(QLatin1Char('\n'));
    if (auto* plain = qobject_cast<QPlainTextEdit*>(&o))
        plain->setPlainText(text);
    else if (auto* rich = qobject_cast<QTextEdit*>(&o))
        rich->setPlainText(text);
    else if (auto* label = qobject_cast<QLabel*>(&o))
        label->setText(text);
    else
        return false;
    return true;
}

// ---- Placement and size. Left, Top, Width and Height of a window include its frame, as
// QWidget::move does but QWidget::resize does not; ClientWidth and ClientHeight are without.

QSize FrameExtra(const QWidget& w) {
    return w.isWindow() ? w.frameGeometry().size() - w.size() : QSize(0, 0);
}

template <void (*F)(QWidget&, int)> bool OnWidget(QObject& o, int value) {
    auto* w = qobject_cast<QWidget*>(&o);
    if (!w) return false;
    F(*w, value);
    return true;
}

void SetLeft(QWidget& w, int v) {
    w.move(v, w.pos().y());
}
void SetTop(QWidget& w, int v) {
    w.move(w.pos().x(), v);
}
void SetWidth(QWidget& w, int v) {
    w.resize(std::max(0, v - FrameExtra(w).width()), w.height());
}
void SetHeight(QWidget& w, int v) {
    w.resize(w.width(), std::max(0, v - FrameExtra(w).height()));
}
void SetClientWidth(QWidget& w, int v) {
    w.resize(std::max(0, v), w.height());
}
void SetClientHeight(QWidget& w, int v) {
    w.resize(w.width(), std::max(0, v));
}

// Every component has a Tag for its program's own use; here it is kept as a dynamic property.
bool SetTag(QObject& o, int value) {
    o.setProperty("Tag", value);
    return true;
}

// ---- Fonts, of a widget or a menu item

// Changes the font of a widget or a menu item.
template <class F> bool ChangeFont(QObject& o, F change) {
    if (auto* w = qobject_cast<QWidget*>(&o)) {
        QFont font = w->font();
        change(font);
        w->setFont(font);
    } else if (auto* action = qobject_cast<QAction*>(&o)) {
        QFont font = action->font();
        change(font);
        action->setFont(font);
    } else {
        return false;
    }
    return true;
}

bool SetFontName(QObject& o, const QString& family) {
    return ChangeFont(o, [&](QFont& font) { font.setFamily(family); });
}
// A size in points; a negative size is a height in pixels.
bool SetFontSize(QObject& o, int size) {
    return ChangeFont(o, [&](QFont& font) {
        if (size > 0) font.setPointSize(size);
        if (size < 0) font.setPixelSize(-size);
    });
}
// A height in pixels, either sign.
bool SetFontHeight(QObject& o, int height) {
    return ChangeFont(o, [&](QFont& font) {
        if (height != 0) font.setPixelSize(std::abs(height));
    });
}
// Qt picks the glyphs for every script itself, so a character set needs no setting.
bool AcceptCharset(QObject&, const QString&) {
    return true;
}

constexpr std::array FontRules = {
    TextRule<SetFontName>("Name"),
    IntegerRule<SetFontSize>("Size"),
    IntegerRule<SetFontHeight>("Height"),
    TextRule<AcceptCharset>("Charset"),
};

template <void (QWidget::*F)(int)> void CallWith(QWidget& w, int value) {
    (w.*F)(std::max(0, value));
}

// Size limits; 0 means no limit.
void SetMaxWidth(QWidget& w, int v) {
    w.setMaximumWidth(v > 0 ? v : QWIDGETSIZE_MAX);
}
void SetMaxHeight(QWidget& w, int v) {
    w.setMaximumHeight(v > 0 ? v : QWIDGETSIZE_MAX);
}

constexpr std::array ConstraintRules = {
    IntegerRule<OnWidget<CallWith<&QWidget::setMinimumWidth>>>("MinWidth"),
    IntegerRule<OnWidget<CallWith<&QWidget::setMinimumHeight>>>("MinHeight"),
    IntegerRule<OnWidget<SetMaxWidth>>("MaxWidth"),
    IntegerRule<OnWidget<SetMaxHeight>>("MaxHeight"),
};

// The property names of the window layouts that need more than a Qt property of the same name.
constexpr std::array PropertyRules = {
    TextRule<SetCaption>("Caption"),
    TextRule<SetHint>("Hint"),
    ListRule<SetItems>("Items"),
    ListRule<SetLines>("Lines"),
    IntegerRule<OnWidget<SetLeft>>("Left"),
    IntegerRule<OnWidget<SetTop>>("Top"),
    IntegerRule<OnWidget<SetWidth>>("Width"),
    IntegerRule<OnWidget<SetHeight>>("Height"),
    IntegerRule<OnWidget<SetClientWidth>>("ClientWidth"),
    IntegerRule<OnWidget<SetClientHeight>>("ClientHeight"),
    IntegerRule<SetTag>("Tag"),
    ObjectRule("Font", FontRules),
    ObjectRule("Constraints", ConstraintRules),
};

const TPropertyRule* FindRule(std::span<const TPropertyRule> rules, const QString& name) {
    for (const TPropertyRule& rule : rules)
        if (name.compare(QLatin1String(rule.Name.data(), rule.Name.size()), Qt::CaseInsensitive) ==
            0)
            return &rule;
    return nullptr;
}

// ---- Qt properties by name, for every name the table does not hold

QMetaProperty FindQtProperty(const QObject& o, const QString& name) {
    const QMetaObject* meta = o.metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (name.compare(QLatin1String(p.name()), Qt::CaseInsensitive) == 0) return p;
    }
    return {};
}

TValueKind KindOf(const QMetaProperty& p) {
    if (p.isEnumType() || p.isFlagType()) return TValueKind::Object; // left unchanged
    switch (p.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return TValueKind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return TValueKind::Float;
    case QMetaType::QString:
        return TValueKind::Text;
    case QMetaType::QStringList:
        return TValueKind::List;
    default:
        return TValueKind::Object;
    }
}

// The value for a property of the given kind; nothing when it has not that form.
std::optional<TValue> Convert(const TLanguage& language, TValueKind kind, const QString& value) {
    const std::string text = value.toStdString();
    switch (kind) {
    case TValueKind::Text:
        return value;
    case TValueKind::Integer:
        if (const auto n = ParseInteger(text)) return *n;
        return std::nullopt;
    case TValueKind::Float:
        if (const auto x = ParseFloat(text)) return *x;
        return std::nullopt;
    case TValueKind::List: {
        QStringList items;
        for (const std::string& item : language.Items(text))
            items.append(QString::fromStdString(item));
        return items;
    }
    case TValueKind::Object:
        break;
    }
    return std::nullopt;
}

QVariant ToVariant(const TValue& value) {
    return std::visit([](const auto& v) { return QVariant::fromValue(v); }, value);
}

bool SetQtProperty(QObject& o, const QString& name, const QString& value,
                   const TLanguage& language) {
    const QMetaProperty p = FindQtProperty(o, name);
    if (!p.isValid() || !p.isWritable()) return false;
    const TValueKind kind = KindOf(p);
    if (kind == TValueKind::Object) return false;
    if (const auto converted = Convert(language, kind, value)) p.write(&o, ToVariant(*converted));
    return true;
}

// A component of root by its name, at any depth: actions, menus, panels and their contents.
QObject* FindComponent(const QObject& root, const QString& name) {
    for (QObject* child : root.findChildren<QObject*>())
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0) return child;
    return nullptr;
}

} // namespace

TLangChanger::TLangChanger(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("LangChanger"));
}

QString TLangChanger::LangFile() const {
    return QString::fromStdString(Language.LangFile());
}

void TLangChanger::SetLangFile(const QString& fileName) {
    Language.SetLangFile(fileName.toStdString());
}

QString TLangChanger::Separator() const {
    return QString::fromStdString(Language.Separator());
}

void TLangChanger::SetSeparator(const QString& separator) {
    Language.SetSeparator(separator.toStdString());
}

void TLangChanger::ApplyTranslations(QWidget* target) const {
    if (Language.LangFile().empty()) return;
    const std::vector<TTranslation> translations = Language.Translations();
    if (translations.empty()) return;
    const QWidgetList windows = target ? QWidgetList{target} : QApplication::topLevelWidgets();
    for (const TTranslation& translation : translations) {
        const QString key = QString::fromStdString(translation.Key);
        const qsizetype dot = key.indexOf(QLatin1Char('.'));
        if (dot < 0) continue; // names no window
        const QString windowName = QLatin1Char('T') + key.left(dot);
        const QString path = key.mid(dot + 1);
        const QString value = QString::fromStdString(translation.Value);
        for (QWidget* window : windows)
            if (window->objectName().compare(windowName, Qt::CaseInsensitive) == 0)
                SetPropertyPath(window, path, value);
    }
}

void TLangChanger::SetPropertyPath(QObject* root, const QString& path, const QString& value) const {
    if (!root) return;
    QString rest = path;
    if (const qsizetype dot = rest.indexOf(QLatin1Char('.')); dot >= 0)
        if (QObject* component = FindComponent(*root, rest.left(dot))) {
            root = component;
            rest = rest.mid(dot + 1);
        }

    // Past an object property such as Font the names are those of its member table only; Qt
    // properties of the same name are looked for on the component itself alone.
    std::span<const TPropertyRule> rules = PropertyRules;
    bool atObject = true;
    for (;;) {
        const qsizetype dot = rest.indexOf(QLatin1Char('.'));
        const QString name = dot < 0 ? rest : rest.left(dot);
        const TPropertyRule* rule = FindRule(rules, name);
        if (dot < 0) {
            if (rule && rule->Kind == TValueKind::Object) return; // not set as a whole
            if (rule) {
                const auto converted = Convert(Language, rule->Kind, value);
                if (!converted) return; // a value of the wrong form is ignored
                if (rule->Set(*root, *converted)) return;
            }
            if (atObject) SetQtProperty(*root, name, value, Language);
            return;
        }
        if (!rule || rule->Kind != TValueKind::Object) return;
        rules = rule->Members;
        atObject = false;
        rest = rest.mid(dot + 1);
    }
}

QString TLangChanger::TranslateText(const QString& text) const {
    return QString::fromStdString(Language.TranslateText(text.toStdString()));
}

QString TLangChanger::Locale() const {
    return QString::fromStdString(Language.Locale());
}

TLangChanger& LangChanger() {
    static TLangChanger changer;
    return changer;
}

QString TranslateText(const QString& text) {
    return LangChanger().TranslateText(text);
}

QString Translated(const char* text) {
    return TranslateText(QString::fromUtf8(text));
}

} // namespace quorvin
