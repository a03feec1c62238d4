// The main menu. Its items are objects of their own, named as the menu table names them, so
// that a language file can reach each caption; an item bound to a command follows that
// command's enabled, visible and checked state and runs it when chosen.
#include "main_form.h"

#include "rules.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <optional>

namespace quorvin {

namespace {

enum class TEntryKind { Command, Own, Separator, Presets, Skins };

// The board picture presets of "&Board" -> "&Quick select", by picture set number.
constexpr std::array<std::pair<const char*, const char*>, 5> SkinItems{{
    {"mTechno", "&Techno"},
    {"mWood", "&Wood"},
    {"mPolish", "&Polish"},
    {"mMahogany", "&Mahogany"},
    {"mCloth", "&Cloth"},
}};

struct TMenuEntry {
    TEntryKind Kind;
    const char* Name;    // the item's object name
    const char* Caption; // as the menu shows it
    std::optional<TActionId> Command = std::nullopt;
};

struct TMenuDef {
    const char* Name;
    const char* Caption;
    std::initializer_list<TMenuEntry> Entries;
};

using K = TEntryKind;
using A = TActionId;

} // namespace

QAction* TMainForm::OwnItem(const char* name, const char* caption, TWhen when,
                            void (TMainForm::*handler)()) {
    auto* item = new QAction(QString::fromLatin1(caption), this);
    item->setObjectName(QString::fromLatin1(name));
    connect(item, &QAction::triggered, this,
            [this, when, handler] { RunCommand(when, [this, handler] { (this->*handler)(); }); });
    return item;
}

QAction* TMainForm::MirrorAction(const char* name, const char* caption, QAction* command,
                                 TCheckShown shown) {
    auto* item = new QAction(QString::fromLatin1(caption), this);
    item->setObjectName(QString::fromLatin1(name));
    item->setIcon(command->icon());
    auto follow = [item, command, shown] {
        item->setEnabled(command->isEnabled());
        item->setVisible(command->isVisible());
        if (shown == TCheckShown::Mark) {
            item->setCheckable(command->isCheckable());
            item->setChecked(command->isChecked());
        } else {
            QFont font = item->font();
            font.setBold(command->isChecked());
            item->setFont(font);
        }
    };
    follow();
    connect(command, &QAction::changed, item, follow);
    connect(item, &QAction::triggered, command, [command, follow] {
        command->trigger();
        follow(); // an item of a tool group must not uncheck itself by being chosen again
    });
    return item;
}

void TMainForm::CreateMenus() {
    NSound = new QAction(QStringLiteral("&Sound"), this);
    NSound->setObjectName(QStringLiteral("NSound"));
    NSound->setCheckable(true);
    NSound->setChecked(true);
    connect(NSound, &QAction::triggered, this,
            [this] { RunCommand(TWhen::Always, [this] { NSoundClick(); }); });
    NExit = OwnItem("NExit", "E&xit", TWhen::Always, &TMainForm::NExitClick);
    OwnItem("NOpen", "&Open...", TWhen::Idle, &TMainForm::NOpenClick);
    OwnItem("NSave", "&Save...", TWhen::Idle, &TMainForm::NSaveClick);
    OwnItem("NCopyPosition", "Cop&y position", TWhen::Idle, &TMainForm::NCopyPositionClick);
    OwnItem("NPastePosition", "Pas&te position", TWhen::Idle, &TMainForm::NPastePositionClick);
    OwnItem("NOpenGame", "Op&en game...", TWhen::Idle, &TMainForm::NOpenGameClick);
    OwnItem("NSaveGame", "Sa&ve game...", TWhen::Idle, &TMainForm::NSaveGameClick);
    OwnItem("NMaximise", "&Fit to screen", TWhen::Always, &TMainForm::FitToScreen);
    OwnItem("NReference", "&Help", TWhen::Always, &TMainForm::NReferenceClick);
    OwnItem("NAbout", "&About", TWhen::Always, &TMainForm::NAboutClick);

    static const std::array<TMenuDef, 5> menus{{
        {"NGame",
         "&Game",
         {{K::Command, "NNewGame", "&New", A::NewGame},
          {K::Presets, "NQuick", "&Quick select"},
          {K::Separator, "N11", ""},
          {K::Own, "NOpenGame", ""},
          {K::Own, "NSaveGame", ""},
          {K::Separator, "N1", ""},
          {K::Command, "NOptions", "&Options...", A::Options},
          {K::Own, "NSound", ""},
          {K::Separator, "N2", ""},
          {K::Own, "NExit", ""}}},
        {"NPosition",
         "&Position",
         {{K::Own, "NOpen", ""},
          {K::Own, "NSave", ""},
          {K::Own, "NCopyPosition", ""},
          {K::Own, "NPastePosition", ""},
          {K::Separator, "N3", ""},
          {K::Command, "NArrange", "Set&up", A::Setup},
          {K::Command, "NContinue", "Continue &play", A::Continue},
          {K::Separator, "N4", ""},
          {K::Command, "NClearPosition", "&Clear", A::Clear},
          {K::Command, "Arrange1", "&Arrange", A::Arrange},
          {K::Command, "NChangeMover", "&Delegate move", A::Delegate},
          {K::Separator, "N6", ""},
          {K::Command, "NEmptysquare", "&Empty field", A::EmptySquare},
          {K::Command, "NWhitePawn", "&White checker", A::WhitePawn},
          {K::Command, "NBlackPawn", "&Black checker", A::BlackPawn},
          {K::Command, "NWhiteKing", "White king", A::WhiteKing},
          {K::Command, "NBlackKing", "Black king", A::BlackKing}}},
        {"NMove",
         "&Move",
         {{K::Command, "NUnDo", "&Undo", A::Undo},
          {K::Command, "NRedo", "&Redo", A::Redo},
          {K::Separator, "N7", ""},
          {K::Command, "NUndoAll", "U&ndo all", A::UndoAll},
          {K::Command, "NRedoAll", "R&edo all", A::RedoAll},
          {K::Separator, "N8", ""},
          {K::Command, "NHint", "&Advice", A::Advice}}},
        {"NBoard",
         "&Board",
         {{K::Command, "NRotate", "&Rotate", A::RotateBoard},
          {K::Own, "NMaximise", ""},
          {K::Own, "NMoveList", ""},
          {K::Separator, "N9", ""},
          {K::Skins, "nQuickView", "&Quick select"},
          {K::Command, "NView", "&View...", A::BoardView},
          {K::Command, "NBoardSetup", "&Setup...", A::BoardSetup}}},
        {"NHelp",
         "&?",
         {{K::Own, "NReference", ""}, {K::Separator, "N10", ""}, {K::Own, "NAbout", ""}}},
    }};

    QMenuBar* bar = menuBar();
    for (const TMenuDef& def : menus) {
        QMenu* menu = bar->addMenu(QString::fromLatin1(def.Caption));
        menu->setObjectName(QString::fromLatin1(def.Name));
        for (const TMenuEntry& entry : def.Entries) {
            const QString name = QString::fromLatin1(entry.Name);
            switch (entry.Kind) {
            case K::Command:
                menu->addAction(MirrorAction(entry.Name, entry.Caption, Action(*entry.Command)));
                break;
            case K::Own:
                menu->addAction(findChild<QAction*>(name, Qt::FindDirectChildrenOnly));
                break;
            case K::Separator:
                menu->addSeparator()->setObjectName(name);
                break;
            case K::Presets:
                NQuick = menu->addMenu(QString::fromLatin1(entry.Caption));
                NQuick->setObjectName(name);
                NQuick->menuAction()->setObjectName(name + QStringLiteral("Item"));
                for (std::size_t i = 0; i < PresetItems.size(); ++i) {
                    // Separators part the families: Vorna, the international boards,
                    // Spanish, Straight checkers, and the four later families together.
                    if (i == 1 || i == 4 || i == 5 || i == std::size_t(ClassicPresetCount))
                        NQuick->addSeparator();
                    NQuick->addAction(PresetItems[i]);
                }
                break;
            case K::Skins: {
                QMenu* skins = menu->addMenu(QString::fromLatin1(entry.Caption));
                skins->setObjectName(name);
                skins->menuAction()->setObjectName(name + QStringLiteral("Item"));
                for (std::size_t i = 0; i < SkinItems.size(); ++i) {
                    auto* item = new QAction(QString::fromLatin1(SkinItems[i].second), this);
                    item->setObjectName(QString::fromLatin1(SkinItems[i].first));
                    connect(item, &QAction::triggered, this, [this, i] {
                        RunCommand(TWhen::Always, [this, i] { SelectSkin(int(i)); });
                    });
                    skins->addAction(item);
                }
                break;
            }
            }
        }
    }
}

QAction* TMainForm::MenuItem(const QString& name) const {
    return findChild<QAction*>(name);
}

} // namespace quorvin
