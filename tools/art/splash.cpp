// The splash picture; see splash.h.
#include "splash.h"

#include "paint_util.h"
#include "pieces.h"
#include "textures.h"

#include <QPainterPath>

#include <cmath>
#include <stdexcept>

namespace quorvin::art {

namespace {

constexpr int Cell = 89, N = 8;
// Rows from the far side: 'b' black man, 'B' black king, 'w', 'W' white.
constexpr const char* Game[N] = {" b b b b", "b b . b ", " . b b b", ". . b . ",
                                 " . w . .", "w . w w ", " w W w .", "w w w w "};

QImage FlatBoard() {
    const QImage light = SquarePicture(1, false), dark = SquarePicture(1, true);
    QImage board(Cell * N, Cell * N, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&board);
    for (int row = 0; row < N; ++row)
        for (int col = 0; col < N; ++col)
            p.drawImage(QRect(col * Cell, row * Cell, Cell, Cell), (row + col) % 2 ? dark : light);
    return board;
}

QTransform QuadTransform(double width, double height, const QPolygonF& quad) {
    const QPolygonF rect(
        {QPointF(0, 0), QPointF(width, 0), QPointF(width, height), QPointF(0, height)});
    QTransform t;
    if (!QTransform::quadToQuad(rect, quad, t))
        throw std::runtime_error("The splash picture has no perspective");
    return t;
}

// A piece standing on the board: its rim as a band below the face, then the face itself,
// foreshortened like the square under it.
void StandingPiece(QPainter& p, const QTransform& board, int row, int col, TSide side,
                   const QImage& face) {
    const QPointF centre = board.map(QPointF((col + 0.5) * Cell, (row + 0.5) * Cell));
    const double w = board.map(QPointF((col + 1) * Cell, (row + 0.5) * Cell)).x() -
                     board.map(QPointF(col * Cell, (row + 0.5) * Cell)).x();
    const double h = board.map(QPointF((col + 0.5) * Cell, (row + 1) * Cell)).y() -
                     board.map(QPointF((col + 0.5) * Cell, row * Cell)).y();
    const double ratio = h / w;
    const double rx = 0.46 * w, ry = rx * ratio;
    const double thickness = 0.2 * w * std::sqrt(1 - ratio * ratio);
    const QPointF top = centre - QPointF(0, thickness);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(centre + QPointF(0.08 * w, 0.05 * w), rx, ry);
    QLinearGradient rim(centre - QPointF(rx, 0), centre + QPointF(rx, 0));
    const bool white = side == TSide::White;
    rim.setColorAt(0, white ? QColor(250, 242, 222) : QColor(96, 92, 100));
    rim.setColorAt(0.5, white ? QColor(200, 184, 152) : QColor(40, 38, 44));
    rim.setColorAt(1, white ? QColor(130, 112, 84) : QColor(10, 10, 12));
    p.setBrush(rim);
    QPainterPath band;
    band.addEllipse(centre, rx, ry);
    band.addRect(QRectF(centre.x() - rx, top.y(), 2 * rx, thickness));
    band.setFillRule(Qt::WindingFill);
    p.drawPath(band.simplified());
    p.drawImage(QRectF(top.x() - rx, top.y() - ry, 2 * rx, 2 * ry), face);
}

} // namespace

QImage SplashPicture() {
    QImage image(SplashWidth, SplashHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    constexpr double horizon = 236;
    QLinearGradient sky(QPointF(0, 0), QPointF(0, horizon));
    sky.setColorAt(0.0, QColor(252, 250, 242));
    sky.setColorAt(0.55, QColor(232, 240, 250));
    sky.setColorAt(1.0, QColor(190, 210, 236));
    p.fillRect(image.rect(), sky);

    // The table recedes towards the horizon, its grain in perspective.
    const QImage panel = MahoganyPanel(900, 300);
    p.setTransform(QuadTransform(panel.width(), panel.height(),
                                 QPolygonF({QPointF(-260, horizon), QPointF(900, horizon),
                                            QPointF(1100, 520), QPointF(-460, 520)})));
    p.drawImage(0, 0, panel);
    p.resetTransform();
    QLinearGradient dusk(QPointF(0, horizon), QPointF(0, SplashHeight));
    dusk.setColorAt(0, QColor(20, 6, 2, 170));
    dusk.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(0, horizon, SplashWidth, SplashHeight - horizon), dusk);

    // The board with its frame, shadow and front edge.
    const QPolygonF frame(
        {QPointF(190, 214), QPointF(450, 214), QPointF(588, 386), QPointF(52, 386)});
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 8; ++i) {
        p.setBrush(QColor(0, 0, 0, 22));
        p.drawPolygon(frame.translated(6 + i, 4 + i * 0.6));
    }
    QLinearGradient edge(QPointF(0, 386), QPointF(0, 398));
    edge.setColorAt(0, QColor(96, 36, 18));
    edge.setColorAt(1, QColor(40, 12, 6));
    p.setBrush(edge);
    p.drawPolygon(
        QPolygonF({QPointF(52, 386), QPointF(588, 386), QPointF(588, 398), QPointF(52, 398)}));
    const QImage frameWood = MahoganyPanel(800, 800);
    const QTransform frameT = QuadTransform(800, 800, frame);
    p.setTransform(frameT);
    p.drawImage(0, 0, frameWood);
    p.resetTransform();

    const QImage flat = FlatBoard();
    const QPolygonF playing(
        {QPointF(203, 222), QPointF(437, 222), QPointF(565, 376), QPointF(75, 376)});
    const QTransform board = QuadTransform(flat.width(), flat.height(), playing);
    p.setTransform(board);
    p.drawImage(0, 0, flat);
    p.resetTransform();

    const QImage faces[2][2] = {
        {PiecePicture({TSide::White, false}), PiecePicture({TSide::White, true})},
        {PiecePicture({TSide::Black, false}), PiecePicture({TSide::Black, true})}};
    for (int row = 0; row < N; ++row)
        for (int col = 0; col < N; ++col) {
            const char c = Game[row][col];
            if (c == ' ' || c == '.') continue;
            const TSide side = c == 'w' || c == 'W' ? TSide::White : TSide::Black;
            const bool king = c == 'W' || c == 'B';
            StandingPiece(p, board, row, col, side, faces[side == TSide::Black][king]);
        }
    p.end();
    return image;
}

} // namespace quorvin::art
