// The error raised when a picture cannot be read: it names the file, ends the drawing
// operation that needed it, and reaches the user through the window's error report.
#pragma once

#include <QString>

#include <stdexcept>

namespace quorvin {

class TPictureError : public std::runtime_error {
  public:
    TPictureError(const QString& fileName, const QString& reason)
        : std::runtime_error(QStringLiteral("Cannot load the picture \"%1\": %2")
                                 .arg(fileName, reason)
                                 .toStdString()),
          FileName(fileName) {}

    QString FileName;
};

} // namespace quorvin
