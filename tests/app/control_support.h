// Reading and changing the options dialog's controls the way a user sees and uses them:
// arrows on a size, clicks on a box or a radio button, a pick from a list, a page tab.
#pragma once

class QButtonGroup;
class QWidget;

namespace quorvin::test {

QButtonGroup* GroupOf(QWidget* control);
// The value a control shows.
int Shown(QWidget* control);
// Changes a control as the user does.
void UserSets(QWidget* control, int value);

} // namespace quorvin::test
