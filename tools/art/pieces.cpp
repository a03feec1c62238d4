// Painting the pieces, their animation frames, the highlight marks and the blend mask; see
// pieces.h.
#include "pieces.h"

#include "paint_util.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace quorvin::art {

namespace {

struct TPalette {
    TRgb Light, Base, Shadow, Groove;
};

constexpr double Pi = 3.14159265358979323846;

TPalette PaletteOf(TSide side) {
    if (side == TSide::White)
        return {{255, 253, 244}, {236, 224, 196}, {150, 128, 96}, {168, 146, 112}};
    return {{132, 128, 136}, {50, 47, 53}, {14, 13, 16}, {8, 8, 10}};
}

// One engraved ring: a dark cut with a lit lower edge.
void PaintGroove(QPainter& p, QPointF c, double r, double unit, const TPalette& pal, int alpha) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pal.Groove.ToColor(alpha), 1.5 * unit));
    p.drawEllipse(c + QPointF(-0.35, -0.35) * unit, r, r);
    p.setPen(QPen(pal.Light.ToColor(alpha * 3 / 4), 0.9 * unit));
    p.drawEllipse(c + QPointF(0.75, 0.75) * unit, r, r);
}

} // namespace

void PaintCrown(QPainter& p, QPointF c, double width) {
    const double k = width / 2; // crown units: x in -1..1
    auto at = [&](double x, double y) { return c + QPointF(x * k, y * k); };

    QPainterPath body;
    body.moveTo(at(-0.78, 0.42));
    body.lineTo(at(-0.98, -0.42));
    body.lineTo(at(-0.50, 0.02));
    body.lineTo(at(0.0, -0.70));
    body.lineTo(at(0.50, 0.02));
    body.lineTo(at(0.98, -0.42));
    body.lineTo(at(0.78, 0.42));
    body.closeSubpath();
    QPainterPath band;
    band.addRoundedRect(QRectF(at(-0.82, 0.34), at(0.82, 0.78)), 0.08 * k, 0.08 * k);
    QPainterPath balls;
    for (const QPointF& tip : {at(-0.98, -0.50), at(0.0, -0.80), at(0.98, -0.50)})
        balls.addEllipse(tip, 0.13 * k, 0.13 * k);
    const QPainterPath crown = body.united(band).united(balls);

    // A soft drop shadow sets the crown off the face of the piece.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(crown.translated(0.06 * k, 0.08 * k));

    QLinearGradient gold(at(0, -0.9), at(0, 0.8));
    gold.setColorAt(0.0, QColor(255, 236, 140));
    gold.setColorAt(0.45, QColor(232, 176, 38));
    gold.setColorAt(0.62, QColor(255, 214, 90));
    gold.setColorAt(1.0, QColor(150, 92, 8));
    p.setBrush(gold);
    p.setPen(QPen(QColor(92, 54, 0), 0.07 * k, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(crown);

    // The band's upper edge catches the light.
    p.setPen(QPen(QColor(255, 240, 170, 200), 0.05 * k));
    p.drawLine(at(-0.74, 0.40), at(0.74, 0.40));

    // Jewels on the band.
    const std::array<QColor, 3> jewels{QColor(200, 30, 40), QColor(40, 90, 210),
                                       QColor(200, 30, 40)};
    for (int i = 0; i < 3; ++i) {
        const QPointF j = at(-0.48 + 0.48 * i, 0.57);
        QRadialGradient g(j + QPointF(-0.04, -0.04) * k, 0.14 * k);
        g.setColorAt(0.0, QColor(255, 255, 255));
        g.setColorAt(0.35, jewels[std::size_t(i)]);
        g.setColorAt(1.0, jewels[std::size_t(i)].darker(180));
        p.setBrush(g);
        p.setPen(QPen(QColor(92, 54, 0), 0.04 * k));
        p.drawEllipse(j, 0.12 * k, 0.12 * k);
    }
}

void PaintPiece(QPainter& p, QPointF c, double radius, const TPieceLook& look) {
    const TPalette pal = PaletteOf(look.Side);
    const double u = radius / BoardPieceRadius; // one pixel of an 89-pixel picture
    p.save();

    // The side of the disc: darker, lit at the upper left.
    QLinearGradient side(c + QPointF(-radius, -radius), c + QPointF(radius, radius));
    side.setColorAt(0.0, Mix(pal.Base, pal.Light, 0.2).ToColor());
    side.setColorAt(0.5, Mix(pal.Base, pal.Shadow, 0.55).ToColor());
    side.setColorAt(1.0, pal.Shadow.ToColor());
    p.setPen(Qt::NoPen);
    p.setBrush(side);
    p.drawEllipse(c, radius, radius);

    // The top face, raised towards the light.
    const double faceR = radius * 0.905;
    const QPointF face = c + QPointF(-0.9, -1.1) * u;
    QRadialGradient top(face, faceR, face + QPointF(-0.38, -0.42) * faceR);
    top.setColorAt(0.0, pal.Light.ToColor());
    top.setColorAt(0.5, pal.Base.ToColor());
    top.setColorAt(0.85, (pal.Base * 0.9).ToColor());
    top.setColorAt(1.0, Mix(pal.Base, pal.Shadow, 0.35).ToColor());
    p.setBrush(top);
    p.drawEllipse(face, faceR, faceR);

    // A bright edge where the face meets the rim on the lit side.
    QConicalGradient rimLight(face, 135);
    rimLight.setColorAt(0.0, pal.Light.ToColor(230));
    rimLight.setColorAt(0.2, pal.Light.ToColor(0));
    rimLight.setColorAt(0.8, pal.Light.ToColor(0));
    rimLight.setColorAt(1.0, pal.Light.ToColor(230));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(rimLight), 1.3 * u));
    p.drawEllipse(face, faceR - 0.6 * u, faceR - 0.6 * u);

    // Engraved rings; a king keeps the outer one and wears a crown inside it. While a man is
    // being crowned the inner ring fades as the crown grows.
    const int grooveAlpha = look.Side == TSide::White ? 200 : 255;
    PaintGroove(p, face, faceR * 0.80, u, pal, grooveAlpha);
    if (!look.King) {
        PaintGroove(p, face, faceR * 0.52, u, pal, grooveAlpha);
        PaintGroove(p, face, faceR * 0.22, u, pal, grooveAlpha * 3 / 4);
    } else if (look.CrownScale < 1.0) {
        const int fading = int(grooveAlpha * (1.0 - look.CrownScale));
        PaintGroove(p, face, faceR * 0.52, u, pal, fading);
    }

    // The glossy spot of the light source.
    const QPointF spot = face + QPointF(-0.36, -0.42) * faceR;
    QRadialGradient gloss(spot, faceR * 0.42);
    gloss.setColorAt(0.0, QColor(255, 255, 255, look.Side == TSide::White ? 150 : 110));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(spot, faceR * 0.42, faceR * 0.42);

    if (look.King && look.CrownScale > 0.0)
        PaintCrown(p, face + QPointF(0, 1.5 * u), faceR * 1.12 * look.CrownScale);
    p.restore();
}

namespace {

// The shadow ring round a piece on the board pictures, darker towards the lower right.
void PaintShadow(QPainter& p, QPointF c, double radius) {
    QRadialGradient shade(c + QPointF(-3, -3), radius + 4);
    shade.setColorAt(0.0, QColor(52, 44, 36));
    shade.setColorAt(1.0, QColor(8, 6, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(c, radius, radius);
}

QImage PieceWithShadow(const TPieceLook& look, double shadowRadius) {
    return PaintSupersampled(PictureSize, PictureSize, 4, [&](QPainter& p) {
        const QPointF c(44.5, 44.5);
        PaintShadow(p, c, shadowRadius);
        PaintPiece(p, c, BoardPieceRadius, look);
    });
}

} // namespace

QImage PiecePicture(const TPieceLook& look) {
    return PieceWithShadow(look, ShadowRadius);
}

QImage CrowningFrame(TSide side, int frame) {
    const double t = frame / 8.0;
    const QImage man = PieceWithShadow({side, false, 1.0}, FrameShadowRadius);
    const QImage king = PieceWithShadow({side, true, 0.45 + 0.55 * t}, FrameShadowRadius);
    QImage result = man;
    QPainter p(&result);
    p.setOpacity(std::min(1.0, 0.25 + 0.75 * t));
    p.drawImage(0, 0, king);
    p.end();
    return frame == 8 ? PieceWithShadow({side, true, 1.0}, FrameShadowRadius) : result;
}

QImage ChangeFrame(int frame) {
    // The coin's tilt: nearly flat at frames 1 and 8, on its edge between 4 and 5.
    constexpr std::array<double, 8> squash{0.92, 0.68, 0.42, 0.14, 0.14, 0.42, 0.68, 0.92};
    const double s = squash[std::size_t(frame - 1)];
    const TSide side = frame <= 4 ? TSide::White : TSide::Black;
    const TPalette pal = PaletteOf(side);
    return PaintSupersampled(PictureSize, PictureSize, 4, [&](QPainter& p) {
        const double r = BoardPieceRadius;
        const double thickness = 9.0 * std::sqrt(1.0 - s * s);
        const QPointF c(44.5, 44.5 - thickness / 2);
        // The edge of the coin, seen below its face as it tilts.
        QLinearGradient edge(QPointF(44.5 - r, 0), QPointF(44.5 + r, 0));
        edge.setColorAt(0.0, Mix(pal.Base, pal.Light, 0.3).ToColor());
        edge.setColorAt(0.6, Mix(pal.Base, pal.Shadow, 0.5).ToColor());
        edge.setColorAt(1.0, pal.Shadow.ToColor());
        p.setPen(Qt::NoPen);
        p.setBrush(edge);
        // The soft ring of the board pictures, squashed with the coin.
        p.save();
        p.translate(44.5, 44.5);
        p.scale(1.0, (r * s + thickness / 2 + FrameShadowRadius - r) / FrameShadowRadius);
        PaintShadow(p, QPointF(0, 0), FrameShadowRadius);
        p.restore();
        QPainterPath band;
        band.addEllipse(c + QPointF(0, thickness), r, r * s);
        band.addRect(QRectF(44.5 - r, c.y(), 2 * r, thickness));
        band.addEllipse(c, r, r * s);
        band.setFillRule(Qt::WindingFill);
        p.drawPath(band.simplified());
        p.save();
        p.translate(c);
        p.scale(1.0, s);
        p.translate(-c);
        PaintPiece(p, c, r, {side, false, 1.0});
        p.restore();
    });
}

QImage SelectMark(int index) {
    return PaintSupersampled(PictureSize, PictureSize, 1, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        if (index == 0) {
            // A gold frame: a dark outer line, a bright band, an amber inner line.
            p.fillRect(QRect(0, 0, 89, 89), QColor(120, 70, 0));
            p.fillRect(QRect(1, 1, 87, 87), QColor(255, 214, 40));
            p.fillRect(QRect(2, 2, 85, 85), QColor(255, 236, 120));
            p.fillRect(QRect(4, 4, 81, 81), QColor(255, 196, 0));
            p.fillRect(QRect(6, 6, 77, 77), QColor(200, 110, 0));
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(QRect(7, 7, 75, 75), Qt::transparent);
            return;
        }
        // Green corner brackets, outlined so they read on light and dark pictures.
        constexpr int arm = 26, width = 7;
        for (int corner = 0; corner < 4; ++corner) {
            const bool right = corner & 1, bottom = corner & 2;
            const int x0 = right ? 89 - arm : 0, y0 = bottom ? 89 - width : 0;
            const int xv = right ? 89 - width : 0, yv = bottom ? 89 - arm : 0;
            const QRect horizontal(x0, y0, arm, width), vertical(xv, yv, width, arm);
            for (const QRect& r : {horizontal, vertical}) p.fillRect(r, QColor(16, 84, 24));
            for (const QRect& r : {horizontal, vertical})
                p.fillRect(r.adjusted(1, 1, -1, -1), QColor(96, 230, 70));
            for (const QRect& r : {horizontal, vertical})
                p.fillRect(r.adjusted(2, 2, -3, -3), QColor(160, 255, 120));
        }
    });
}

QImage AlphaMask() {
    // The weight along the radius, one entry per pixel of distance from 36 to 43.
    constexpr std::array<double, 8> rim{255, 249, 222, 164, 91, 33, 6, 0};
    QImage mask(PictureSize, PictureSize, QImage::Format_Grayscale8);
    for (int y = 0; y < PictureSize; ++y)
        for (int x = 0; x < PictureSize; ++x) {
            const double d = std::hypot(x - 44.0, y - 44.0);
            double w;
            if (d <= 36.0)
                w = 255;
            else if (d >= 43.0)
                w = 0;
            else {
                const int i = int(std::floor(d - 36.0));
                const double f = d - 36.0 - i;
                w = rim[std::size_t(i)] + (rim[std::size_t(i) + 1] - rim[std::size_t(i)]) * f;
            }
            mask.scanLine(y)[x] = uchar(std::lround(w));
        }
    return mask;
}

} // namespace quorvin::art
