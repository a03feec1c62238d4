// Window placement keys; see window_placement.h.
#include "window_placement.h"

#include "ini_file.h"

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

namespace quorvin {

namespace {

std::string Quadruple(int a, int b, int c, int d) {
    return QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d).toStdString();
}

bool OnSomeScreen(const QRect& frame) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(frame)) return true;
    return false;
}

} // namespace

void WritePlacement(TIniFile& ini, const std::string& section, const std::optional<QRect>& frame,
                    int pixelsPerInch) {
    ini.Write(section, "FormVersion", "0");
    ini.Write(section, "Flags", "0");
    ini.Write(section, "ShowCmd", "1");
    ini.Write(section, "PixelsPerInch", std::to_string(pixelsPerInch));
    ini.Write(section, "MinMaxPos", Quadruple(-1, -1, -1, -1));
    if (frame)
        ini.Write(section, "NormPos",
                  Quadruple(frame->left(), frame->top(), frame->left() + frame->width(),
                            frame->top() + frame->height()));
}

std::optional<QRect> ReadNormalPosition(const TIniFile& ini, const std::string& section) {
    const auto text = ini.Read(section, "NormPos");
    if (!text) return std::nullopt;
    const QStringList parts = QString::fromStdString(*text).split(QLatin1Char(','));
    if (parts.size() != 4) return std::nullopt;
    std::array<int, 4> edges{};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        edges[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
    }
    // The right and bottom edges lie just outside the frame.
    return QRect(QPoint(edges[0], edges[1]),
                 QSize(std::max(1, edges[2] - edges[0]), std::max(1, edges[3] - edges[1])));
}

void SavePlacement(const QWidget& window, TIniFile& ini, const std::string& section) {
    WritePlacement(ini, section, window.frameGeometry(), window.logicalDpiY());
}

void RestorePlacement(QWidget& window, const TIniFile& ini, const std::string& section) {
    const auto frame = ReadNormalPosition(ini, section);
    if (frame && OnSomeScreen(*frame)) window.move(frame->topLeft());
}

} // namespace quorvin
