// The open and save dialogs of the program go through here, so that tests can answer them
// with a file name instead of a person: a test installs a handler and no dialog is shown.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quorvin {

enum class TFileDialogKind { Open, Save };

struct TFileDialogRequest {
    TFileDialogKind Kind = TFileDialogKind::Open;
    QString Filter;        // one entry, as "Name (*.ext)"
    QString DefaultSuffix; // appended to a name typed without an extension
};

// The chosen file's path, or an empty string when the dialog was cancelled. An open dialog
// accepts only an existing file; a save dialog asks before it overwrites one.
using TFileDialogHandler = std::function<QString(const TFileDialogRequest&)>;

QString AskFileName(QWidget* parent, const TFileDialogRequest& request);

// Replaces the dialogs by handler; an empty handler brings the real dialogs back.
void SetFileDialogHandler(TFileDialogHandler handler);

} // namespace quorvin
