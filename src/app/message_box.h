// Message boxes of the program go through here, so that tests can read each message and
// answer it instead of a person: a test installs a handler and the real dialog is not shown.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quorvin {

enum class TMessageIcon { Information, Question, Critical };
enum class TMessageButtons { Ok, YesNo };
enum class TMessageAnswer { Ok, Yes, No };

struct TMessageRequest {
    QString Caption;
    QString Text;
    TMessageIcon Icon = TMessageIcon::Information;
    TMessageButtons Buttons = TMessageButtons::Ok;
};

using TMessageHandler = std::function<TMessageAnswer(const TMessageRequest&)>;

// Shows the message modally over parent and answers the button pressed; a box with Yes and
// No answers No when it is closed otherwise.
TMessageAnswer ShowMessage(QWidget* parent, const TMessageRequest& request);

// Replaces the dialogs by handler; an empty handler brings the real dialogs back.
void SetMessageHandler(TMessageHandler handler);

// The text with its first letter in upper case. The engine words many of its errors to follow
// a prefix ("line 5: illegal move"); a message box shows such a text as a sentence of its own.
QString Sentence(const QString& text);

} // namespace quorvin
