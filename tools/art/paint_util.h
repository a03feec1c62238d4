// Small helpers shared by the art painters: colour arithmetic and supersampled drawing.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <functional>

namespace quorvin::art {

// A colour in floating point, 0..255 per channel, for per-pixel texture arithmetic.
struct TRgb {
    double R = 0, G = 0, B = 0;

    TRgb operator*(double k) const { return {R * k, G * k, B * k}; }
    TRgb operator+(const TRgb& o) const { return {R + o.R, G + o.G, B + o.B}; }
    QRgb ToQRgb() const {
        auto c = [](double v) { return int(std::clamp(v + 0.5, 0.0, 255.0)); };
        return qRgb(c(R), c(G), c(B));
    }
    QColor ToColor(int alpha = 255) const {
        const QRgb q = ToQRgb();
        return QColor(qRed(q), qGreen(q), qBlue(q), alpha);
    }
};

inline TRgb Mix(const TRgb& a, const TRgb& b, double t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

inline double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Renders a size x size picture by averaging factor x factor samples of `colour` per pixel;
// the function receives coordinates in picture pixels.
QImage RenderPixels(int size, int factor, const std::function<TRgb(double, double)>& colour);

// Paints with `paint` (in picture coordinates) on a transparent canvas `factor` times larger
// and scales the result down, which gives clean anti-aliased edges on the small pictures.
QImage PaintSupersampled(int width, int height, int factor,
                         const std::function<void(QPainter&)>& paint);

} // namespace quorvin::art
