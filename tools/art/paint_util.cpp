// Helpers for the art painters; see paint_util.h.
#include "paint_util.h"

namespace quorvin::art {

QImage RenderPixels(int size, int factor, const std::function<TRgb(double, double)>& colour) {
    QImage image(size, size, QImage::Format_RGB32);
    const double step = 1.0 / factor;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            TRgb sum;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i)
                    sum = sum + colour(x + (i + 0.5) * step, y + (j + 0.5) * step);
            image.setPixel(x, y, (sum * (1.0 / (factor * factor))).ToQRgb());
        }
    return image;
}

QImage PaintSupersampled(int width, int height, int factor,
                         const std::function<void(QPainter&)>& paint) {
    QImage big(width * factor, height * factor, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(factor, factor);
        paint(p);
    }
    return big.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace quorvin::art
