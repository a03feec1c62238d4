// Message boxes through a replaceable handler; see message_box.h.
#include "message_box.h"

#include <QMessageBox>

namespace quorvin {

namespace {

TMessageHandler& Handler() {
    static TMessageHandler handler;
    return handler;
}

QMessageBox::Icon BoxIcon(TMessageIcon icon) {
    switch (icon) {
    case TMessageIcon::Question:
        return QMessageBox::Question;
    case TMessageIcon::Critical:
        return QMessageBox::Critical;
    case TMessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

TMessageAnswer ShowMessage(QWidget* parent, const TMessageRequest& request) {
    if (Handler()) return Handler()(request);
    const bool yesNo = request.Buttons == TMessageButtons::YesNo;
    QMessageBox box(BoxIcon(request.Icon), request.Caption, request.Text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    if (yesNo) box.setDefaultButton(QMessageBox::Yes);
    const int pressed = box.exec();
    if (!yesNo) return TMessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? TMessageAnswer::Yes : TMessageAnswer::No;
}

void SetMessageHandler(TMessageHandler handler) {
    Handler() = std::move(handler);
}

QString Sentence(const QString& text) {
    QString sentence = text;
    if (!sentence.isEmpty()) sentence[0] = sentence[0].toUpper();
    return sentence;
}

} // namespace quorvin
