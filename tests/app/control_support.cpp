// Using the dialog's controls as a user does; see control_support.h.
#include "control_support.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace quorvin::test {

QButtonGroup* GroupOf(QWidget* control) {
    return control->findChild<QButtonGroup*>();
}

int Shown(QWidget* control) {
    if (auto* spin = qobject_cast<QSpinBox*>(control)) return spin->value();
    if (auto* box = qobject_cast<QCheckBox*>(control)) return box->isChecked() ? 1 : 0;
    if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentIndex();
    if (auto* pages = qobject_cast<QTabWidget*>(control)) return pages->currentIndex();
    if (auto* group = GroupOf(control)) return group->checkedId();
    ADD_FAILURE() << control->objectName().toStdString() << " is no known kind of control";
    return -1;
}

void UserSets(QWidget* control, int value) {
    if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        spin->stepBy(value - spin->value());
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        if (box->isChecked() != (value != 0)) box->click();
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        list->setCurrentIndex(value);
    } else if (auto* pages = qobject_cast<QTabWidget*>(control)) {
        pages->setCurrentIndex(value);
    } else {
        GroupOf(control)->button(value)->click();
    }
}

} // namespace quorvin::test
