// Storing a window's placement; see window_placement.h.
#include "window_placement.h"

#include "ini_file.h"
#include "lang_file.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <array>
#include <optional>

namespace quorvin {

namespace {

std::string Quadruple(int a, int b, int c, int d) {
    return std::to_string(a) + ',' + std::to_string(b) + ',' + std::to_string(c) + ',' +
           std::to_string(d);
}

std::optional<std::array<int, 4>> ReadQuadruple(const TIniFile& ini, const std::string& section,
                                                const std::string& key) {
    const auto text = ini.Read(section, key);
    if (!text) return std::nullopt;
    const QStringList parts = QString::fromStdString(*text).split(QLatin1Char(','));
    if (parts.size() != 4) return std::nullopt;
    std::array<int, 4> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto value = ParseInteger(parts[qsizetype(i)].toStdString());
        if (!value) return std::nullopt;
        values[i] = *value;
    }
    return values;
}

bool OnSomeScreen(const QRect& frame) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(frame)) return true;
    return false;
}

} // namespace

void SavePlacement(const QWidget& window, TIniFile& ini, const std::string& section) {
    const QRect frame = window.frameGeometry();
    ini.Write(section, "FormVersion", "0");
    ini.Write(section, "Flags", "0");
    ini.Write(section, "ShowCmd", "1");
    ini.Write(section, "PixelsPerInch", std::to_string(window.logicalDpiY()));
    ini.Write(section, "MinMaxPos", Quadruple(-1, -1, -1, -1));
    ini.Write(section, "NormPos",
              Quadruple(frame.left(), frame.top(), frame.left() + frame.width(),
                        frame.top() + frame.height()));
}

void RestorePlacement(QWidget& window, const TIniFile& ini, const std::string& section) {
    const auto pos = ReadQuadruple(ini, section, "NormPos");
    if (!pos) return;
    const auto [left, top, right, bottom] = *pos;
    const QRect frame(QPoint(left, top),
                      QSize(std::max(1, right - left), std::max(1, bottom - top)));
    if (OnSomeScreen(frame)) window.move(left, top);
}

} // namespace quorvin
