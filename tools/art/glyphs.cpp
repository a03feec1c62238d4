// Painting the glyphs, indicator pictures, cursors and icon; see glyphs.h. All are vector
// drawings on a 32-unit grid, painted four times larger and scaled down.
#include "glyphs.h"

#include "paint_util.h"
#include "pieces.h"
#include "textures.h"

#include <QFont>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <functional>

namespace quorvin::art {

namespace {

constexpr double Pi = 3.14159265358979323846;

QImage Glyph(const std::function<void(QPainter&)>& paint) {
    return PaintSupersampled(GlyphSize, GlyphSize, 4, paint);
}

QPen Outline(QColor c, double w = 1.0) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A little board of n x n squares in the wood colours.
void MiniBoard(QPainter& p, QRectF r, int n) {
    const double s = r.width() / n;
    for (int row = 0; row < n; ++row)
        for (int col = 0; col < n; ++col)
            p.fillRect(QRectF(r.left() + col * s, r.top() + row * s, s, s),
                       (row + col) % 2 ? QColor(150, 96, 50) : QColor(236, 204, 156));
    p.setBrush(Qt::NoBrush);
    p.setPen(Outline(QColor(70, 40, 16), 1.0));
    p.drawRect(r);
}

void Triangle(QPainter& p, QPointF a, QPointF b, QPointF c, QColor light, QColor dark) {
    QLinearGradient g(QPointF(0, std::min({a.y(), b.y(), c.y()})),
                      QPointF(0, std::max({a.y(), b.y(), c.y()})));
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setBrush(g);
    p.setPen(Outline(dark.darker(160)));
    p.drawPolygon(QPolygonF({a, b, c}));
}

const QColor ArrowLight(120, 180, 255), ArrowDark(24, 84, 190);

// History arrows: direction -1 points left, +1 right; `toEnd` adds the bar of "all".
void HistoryArrows(QPainter& p, int direction, int count, bool toEnd) {
    auto x = [&](double v) { return direction < 0 ? v : 32 - v; };
    double start = toEnd ? 9.5 : (count == 1 ? 9 : 6);
    if (toEnd) {
        p.setBrush(ArrowDark);
        p.setPen(Outline(ArrowDark.darker(160)));
        p.drawRect(QRectF(std::min(x(4), x(7.5)), 8, 3.5, 16));
    }
    for (int i = 0; i < count; ++i) {
        const double tip = start + i * 10;
        const double back = tip + (count == 1 ? 14 : 11);
        Triangle(p, QPointF(x(tip), 16), QPointF(x(back), 7), QPointF(x(back), 25), ArrowLight,
                 ArrowDark);
    }
}

void Bulb(QPainter& p, QPointF c, double r) {
    QRadialGradient glass(c + QPointF(-0.3 * r, -0.3 * r), 1.2 * r);
    glass.setColorAt(0, QColor(255, 255, 220));
    glass.setColorAt(0.5, QColor(255, 236, 90));
    glass.setColorAt(1, QColor(236, 170, 20));
    QPainterPath shape;
    shape.addEllipse(c, r, r);
    QPainterPath neck;
    neck.moveTo(c + QPointF(-0.62 * r, 0.6 * r));
    neck.lineTo(c + QPointF(-0.45 * r, 1.25 * r));
    neck.lineTo(c + QPointF(0.45 * r, 1.25 * r));
    neck.lineTo(c + QPointF(0.62 * r, 0.6 * r));
    neck.closeSubpath();
    p.setBrush(glass);
    p.setPen(Outline(QColor(140, 96, 0)));
    p.drawPath(shape.united(neck));
    const QRectF base(c.x() - 0.48 * r, c.y() + 1.25 * r, 0.96 * r, 0.75 * r);
    QLinearGradient metal(base.topLeft(), base.topRight());
    metal.setColorAt(0, QColor(210, 210, 215));
    metal.setColorAt(1, QColor(110, 110, 120));
    p.setBrush(metal);
    p.setPen(Outline(QColor(60, 60, 66)));
    p.drawRoundedRect(base, 1, 1);
    p.drawLine(QPointF(base.left(), base.center().y()), QPointF(base.right(), base.center().y()));
}

void Monitor(QPainter& p, QRectF r) {
    QLinearGradient bezel(r.topLeft(), r.bottomLeft());
    bezel.setColorAt(0, QColor(200, 202, 210));
    bezel.setColorAt(1, QColor(110, 112, 124));
    p.setBrush(bezel);
    p.setPen(Outline(QColor(50, 52, 60)));
    p.drawRoundedRect(r, 1.5, 1.5);
    const QRectF screen =
        r.adjusted(r.width() * 0.12, r.height() * 0.14, -r.width() * 0.12, -r.height() * 0.18);
    QLinearGradient glass(screen.topLeft(), screen.bottomRight());
    glass.setColorAt(0, QColor(120, 190, 255));
    glass.setColorAt(1, QColor(20, 60, 160));
    p.setBrush(glass);
    p.setPen(Outline(QColor(30, 40, 80), 0.7));
    p.drawRect(screen);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawPolygon(QPolygonF({screen.topLeft(), screen.topLeft() + QPointF(screen.width() * 0.5, 0),
                             screen.topLeft() + QPointF(0, screen.height() * 0.7)}));
    const double cx = r.center().x();
    p.setBrush(QColor(120, 122, 132));
    p.setPen(Outline(QColor(50, 52, 60), 0.8));
    p.drawRect(QRectF(cx - r.width() * 0.08, r.bottom(), r.width() * 0.16, r.height() * 0.16));
    p.drawRoundedRect(QRectF(cx - r.width() * 0.3, r.bottom() + r.height() * 0.16, r.width() * 0.6,
                             r.height() * 0.14),
                      1, 1);
}

void Person(QPainter& p, QPointF head, double s) {
    QPainterPath body;
    body.moveTo(head + QPointF(-1.05 * s, 3.2 * s));
    body.cubicTo(head + QPointF(-1.05 * s, 1.25 * s), head + QPointF(-0.7 * s, 1.0 * s),
                 head + QPointF(0, 1.0 * s));
    body.cubicTo(head + QPointF(0.7 * s, 1.0 * s), head + QPointF(1.05 * s, 1.25 * s),
                 head + QPointF(1.05 * s, 3.2 * s));
    body.closeSubpath();
    QLinearGradient shirt(head + QPointF(0, s), head + QPointF(0, 3.2 * s));
    shirt.setColorAt(0, QColor(110, 160, 240));
    shirt.setColorAt(1, QColor(30, 70, 170));
    p.setBrush(shirt);
    p.setPen(Outline(QColor(20, 40, 100)));
    p.drawPath(body);
    QRadialGradient skin(head + QPointF(-0.2 * s, -0.25 * s), 0.8 * s);
    skin.setColorAt(0, QColor(255, 226, 196));
    skin.setColorAt(1, QColor(220, 160, 116));
    p.setBrush(skin);
    p.setPen(Outline(QColor(120, 70, 40)));
    p.drawEllipse(head, 0.62 * s, 0.68 * s);
}

void PlayTriangle(QPainter& p, QRectF r, QColor light, QColor dark) {
    Triangle(p, r.topLeft(), QPointF(r.right(), r.center().y()), r.bottomLeft(), light, dark);
}

void RoundBadge(QPainter& p, QPointF c, double r, QColor light, QColor dark) {
    QRadialGradient g(c + QPointF(-0.35 * r, -0.4 * r), 1.4 * r);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setBrush(g);
    p.setPen(Outline(dark.darker(170)));
    p.drawEllipse(c, r, r);
}

void CurvedArrow(QPainter& p, QPointF c, double r, double fromDeg, double spanDeg, QColor col) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(col, 2.4, Qt::SolidLine, Qt::FlatCap));
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    p.drawArc(box, int(fromDeg * 16), int(spanDeg * 16));
    const double end = (fromDeg + spanDeg) * Pi / 180;
    const QPointF tip(c.x() + r * std::cos(end), c.y() - r * std::sin(end));
    // The head points along the arc's direction of travel.
    const double sign = spanDeg > 0 ? 1 : -1;
    const QPointF tangent(-std::sin(end) * sign, -std::cos(end) * sign);
    const QPointF normal(-tangent.y(), tangent.x());
    p.setBrush(col);
    p.setPen(Outline(col.darker(150), 0.6));
    p.drawPolygon(QPolygonF({tip + tangent * 4.2, tip + normal * 3.4, tip - normal * 3.4}));
}

void DashedCircle(QPainter& p, QPointF c, double r, QColor col, double width) {
    QPen pen(col, width, Qt::CustomDashLine, Qt::RoundCap);
    pen.setDashPattern({1.6, 1.8});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
}

void EmptyField(QPainter& p, QRectF r) {
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(170, 112, 62));
    g.setColorAt(1, QColor(110, 66, 30));
    p.setBrush(g);
    p.setPen(Outline(QColor(60, 34, 12)));
    p.drawRect(r);
    DashedCircle(p, r.center(), r.width() * 0.3, QColor(255, 244, 220), r.width() * 0.07);
}

void Piece(QPainter& p, QPointF c, double r, TSide side, bool king) {
    PaintPiece(p, c, r, {side, king, 1.0});
}

QImage GearGlyph() {
    return Glyph([](QPainter& p) {
        const QPointF c(16, 16);
        QPainterPath gear;
        gear.addEllipse(c, 10.5, 10.5);
        for (int i = 0; i < 8; ++i) {
            QPainterPath tooth;
            tooth.addRoundedRect(QRectF(-2.9, -14.8, 5.8, 7), 1.2, 1.2);
            QTransform t;
            t.translate(c.x(), c.y());
            t.rotate(i * 45.0);
            gear = gear.united(t.map(tooth));
        }
        QPainterPath hole;
        hole.addEllipse(c, 4.2, 4.2);
        gear = gear.subtracted(hole);
        QLinearGradient steel(QPointF(4, 2), QPointF(28, 30));
        steel.setColorAt(0, QColor(226, 228, 234));
        steel.setColorAt(1, QColor(98, 102, 114));
        p.setBrush(steel);
        p.setPen(Outline(QColor(52, 54, 62)));
        p.drawPath(gear);
        p.setBrush(Qt::NoBrush);
        p.setPen(Outline(QColor(80, 82, 92), 0.8));
        p.drawEllipse(c, 7.5, 7.5);
    });
}

QImage HelpGlyph() {
    return Glyph([](QPainter& p) {
        RoundBadge(p, QPointF(16, 16), 13.5, QColor(120, 180, 255), QColor(16, 70, 180));
        QFont font("DejaVu Sans");
        font.setBold(true);
        font.setPixelSize(21);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 1, 32, 31), Qt::AlignCenter, "?");
    });
}

QImage StopGlyph() {
    return Glyph([](QPainter& p) {
        QPolygonF octagon;
        for (int i = 0; i < 8; ++i) {
            const double a = (22.5 + 45 * i) * Pi / 180;
            octagon << QPointF(16 + 14 * std::cos(a), 16 + 14 * std::sin(a));
        }
        QLinearGradient red(QPointF(0, 2), QPointF(0, 30));
        red.setColorAt(0, QColor(255, 110, 90));
        red.setColorAt(1, QColor(170, 10, 10));
        p.setBrush(red);
        p.setPen(Outline(QColor(90, 0, 0)));
        p.drawPolygon(octagon);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(8, 13.5, 16, 5), 1.2, 1.2);
    });
}

QImage PencilOnBoard() {
    return Glyph([](QPainter& p) {
        MiniBoard(p, QRectF(2.5, 9.5, 20, 20), 3);
        p.save();
        p.translate(21, 12);
        p.rotate(-45);
        // The pencil lies along the x axis, tip at the origin... pointing down-left.
        p.rotate(180);
        const QRectF body(4, -2.6, 14, 5.2);
        QLinearGradient wood(QPointF(0, -2.6), QPointF(0, 2.6));
        wood.setColorAt(0, QColor(255, 226, 90));
        wood.setColorAt(1, QColor(220, 150, 10));
        p.setBrush(wood);
        p.setPen(Outline(QColor(110, 70, 0), 0.8));
        p.drawRect(body);
        p.setBrush(QColor(240, 150, 160));
        p.drawRoundedRect(QRectF(18, -2.6, 3.5, 5.2), 1, 1);
        p.setBrush(QColor(250, 224, 180));
        p.drawPolygon(QPolygonF({QPointF(4, -2.6), QPointF(-1, 0), QPointF(4, 2.6)}));
        p.setBrush(QColor(40, 40, 40));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(1.2, -1.0), QPointF(-1, 0), QPointF(1.2, 1.0)}));
        p.restore();
    });
}

QImage ArrangeGlyph() {
    return Glyph([](QPainter& p) {
        MiniBoard(p, QRectF(2, 2, 28, 28), 4);
        // Black on the two far rows, White on the two near ones, on the dark squares.
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 4; ++col)
                if ((row + col) % 2)
                    Piece(p, QPointF(5.5 + 7 * col, 5.5 + 7 * row), 3.3,
                          row < 2 ? TSide::Black : TSide::White, false);
    });
}

} // namespace

std::vector<TNamedPicture> Glyphs() {
    std::vector<TNamedPicture> g;
    g.push_back({"NewGame.png", Glyph([](QPainter& p) {
                     MiniBoard(p, QRectF(2.5, 2.5, 21, 21), 3);
                     RoundBadge(p, QPointF(23, 23), 7.5, QColor(140, 240, 120),
                                QColor(20, 130, 30));
                     p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
                     p.drawLine(QPointF(23, 19), QPointF(23, 27));
                     p.drawLine(QPointF(19, 23), QPointF(27, 23));
                 })});
    g.push_back({"Options.png", GearGlyph()});
    g.push_back({"Help.png", HelpGlyph()});
    g.push_back({"Sides.png", Glyph([](QPainter& p) {
                     Person(p, QPointF(9, 10), 6.2);
                     Monitor(p, QRectF(15, 7, 15, 13));
                 })});
    g.push_back({"UndoAll.png", Glyph([](QPainter& p) { HistoryArrows(p, -1, 2, true); })});
    g.push_back({"Undo.png", Glyph([](QPainter& p) { HistoryArrows(p, -1, 1, false); })});
    g.push_back({"Redo.png", Glyph([](QPainter& p) { HistoryArrows(p, 1, 1, false); })});
    g.push_back({"RedoAll.png", Glyph([](QPainter& p) { HistoryArrows(p, 1, 2, true); })});
    g.push_back({"Advice.png", Glyph([](QPainter& p) {
                     p.setPen(QPen(QColor(255, 200, 40), 1.6, Qt::SolidLine, Qt::RoundCap));
                     for (int i = 0; i < 7; ++i) {
                         const double a = (200 + 23.3 * i) * Pi / 180;
                         p.drawLine(QPointF(16 + 11.5 * std::cos(a), 12 + 11.5 * std::sin(a)),
                                    QPointF(16 + 14.5 * std::cos(a), 12 + 14.5 * std::sin(a)));
                     }
                     Bulb(p, QPointF(16, 12), 8.5);
                 })});
    g.push_back({"Adviser.png", Glyph([](QPainter& p) {
                     Bulb(p, QPointF(11, 10), 7.5);
                     PlayTriangle(p, QRectF(18, 15, 12, 14), QColor(150, 240, 120),
                                  QColor(20, 130, 30));
                 })});
    g.push_back({"Stop.png", StopGlyph()});
    g.push_back({"Setup.png", PencilOnBoard()});
    g.push_back(
        {"EmptySquare.png", Glyph([](QPainter& p) { EmptyField(p, QRectF(4, 4, 24, 24)); })});
    g.push_back({"WhitePawn.png",
                 Glyph([](QPainter& p) { Piece(p, QPointF(16, 16), 13.5, TSide::White, false); })});
    g.push_back({"BlackPawn.png",
                 Glyph([](QPainter& p) { Piece(p, QPointF(16, 16), 13.5, TSide::Black, false); })});
    g.push_back({"WhiteKing.png",
                 Glyph([](QPainter& p) { Piece(p, QPointF(16, 16), 13.5, TSide::White, true); })});
    g.push_back({"BlackKing.png",
                 Glyph([](QPainter& p) { Piece(p, QPointF(16, 16), 13.5, TSide::Black, true); })});
    g.push_back({"Delegate.png", Glyph([](QPainter& p) {
                     Piece(p, QPointF(8.5, 22), 7, TSide::White, false);
                     Piece(p, QPointF(23.5, 22), 7, TSide::Black, false);
                     CurvedArrow(p, QPointF(16, 15), 8.5, 165, -135, QColor(40, 170, 50));
                 })});
    g.push_back({"Clear.png", Glyph([](QPainter& p) {
                     MiniBoard(p, QRectF(3, 3, 26, 26), 3);
                     p.setPen(QPen(QColor(120, 0, 0), 5.2, Qt::SolidLine, Qt::RoundCap));
                     p.drawLine(QPointF(8, 8), QPointF(24, 24));
                     p.drawLine(QPointF(24, 8), QPointF(8, 24));
                     p.setPen(QPen(QColor(235, 40, 30), 3.4, Qt::SolidLine, Qt::RoundCap));
                     p.drawLine(QPointF(8, 8), QPointF(24, 24));
                     p.drawLine(QPointF(24, 8), QPointF(8, 24));
                 })});
    g.push_back({"Arrange.png", ArrangeGlyph()});
    g.push_back(
        {"Continue.png", Glyph([](QPainter& p) {
             RoundBadge(p, QPointF(16, 16), 13.5, QColor(150, 240, 120), QColor(20, 130, 30));
             p.setBrush(Qt::white);
             p.setPen(Qt::NoPen);
             p.drawPolygon(QPolygonF({QPointF(12, 8.5), QPointF(23.5, 16), QPointF(12, 23.5)}));
         })});
    g.push_back({"Rotate.png", Glyph([](QPainter& p) {
                     CurvedArrow(p, QPointF(16, 16), 11, 200, -150, ArrowDark);
                     CurvedArrow(p, QPointF(16, 16), 11, 20, -150, ArrowDark);
                 })});
    g.push_back({"Computer.png", Glyph([](QPainter& p) { Monitor(p, QRectF(3, 3, 26, 19)); })});
    g.push_back({"Human.png", Glyph([](QPainter& p) { Person(p, QPointF(16, 10), 8.6); })});
    g.push_back({"White.png",
                 Glyph([](QPainter& p) { Piece(p, QPointF(16, 16), 13.5, TSide::White, false); })});
    g.push_back({"Black.png",
                 Glyph([](QPainter& p) { Piece(p, QPointF(16, 16), 13.5, TSide::Black, false); })});
    g.push_back({"Empty.png", Glyph([](QPainter& p) {
                     DashedCircle(p, QPointF(16, 16), 12.5, QColor(128, 128, 128, 110), 1.2);
                 })});
    return g;
}

std::vector<TNamedPicture> Cursors() {
    auto cursor = [](const std::function<void(QPainter&)>& tool) {
        return Glyph([&](QPainter& p) {
            tool(p);
            QPolygonF arrow({QPointF(1, 1), QPointF(1, 16), QPointF(4.8, 12.4), QPointF(7.6, 18.6),
                             QPointF(10.2, 17.4), QPointF(7.4, 11.3), QPointF(12.4, 11.3)});
            p.setBrush(Qt::white);
            p.setPen(Outline(Qt::black, 1.1));
            p.drawPolygon(arrow);
        });
    };
    auto piece = [&](TSide side, bool king) {
        return cursor([=](QPainter& p) { Piece(p, QPointF(21.5, 21.5), 9.5, side, king); });
    };
    return {
        {"ESCURSOR.png", cursor([](QPainter& p) { EmptyField(p, QRectF(12.5, 12.5, 18, 18)); })},
        {"WPCURSOR.png", piece(TSide::White, false)},
        {"BPCURSOR.png", piece(TSide::Black, false)},
        {"WKCURSOR.png", piece(TSide::White, true)},
        {"BKCURSOR.png", piece(TSide::Black, true)},
    };
}

QImage ProgramIcon(int size) {
    const QImage light = SquarePicture(1, false), dark = SquarePicture(1, true);
    return PaintSupersampled(size, size, 4, [&](QPainter& p) {
        const double s = size / 32.0;
        QPainterPath clip;
        clip.addRoundedRect(QRectF(1 * s, 1 * s, 30 * s, 30 * s), 4 * s, 4 * s);
        p.save();
        p.setClipPath(clip);
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 4; ++col)
                p.drawImage(QRectF((1 + col * 7.5) * s, (1 + row * 7.5) * s, 7.5 * s, 7.5 * s),
                            (row + col) % 2 ? dark : light);
        p.restore();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(60, 30, 10), 1.0 * s));
        p.drawPath(clip);
        Piece(p, QPointF(11.5 * s, 11.5 * s), 8.5 * s, TSide::White, false);
        Piece(p, QPointF(19.5 * s, 19.5 * s), 10.5 * s, TSide::Black, true);
    });
}

} // namespace quorvin::art
