// Drawing the board from tiles; see draw.h.
#include "draw.h"
#include "game_settings.h"
#include "screen_geometry.h"

#include "blocked_men.h"
#include "data_module.h"
#include "settings.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace quorvin {

namespace {

// The picture of a piece by [side][kind].
const std::array<std::array<QString, 2>, 2> PieceNames{{
    {QStringLiteral("WhitePawn.gif"), QStringLiteral("WhiteKing.gif")},
    {QStringLiteral("BlackPawn.gif"), QStringLiteral("BlackKing.gif")},
}};

QString PieceName(TSquare r) {
    return PieceNames[r.Side ? 1 : 0][r.Kind ? 1 : 0];
}

QString DarkName() {
    return NumberedName(QStringLiteral("Used?.jpg"), Settings().Get(TSetting::DarkPicture));
}
QString LightName() {
    return NumberedName(QStringLiteral("UnUsed?.jpg"), Settings().Get(TSetting::LightPicture));
}
QString MarkName() {
    return NumberedName(QStringLiteral("Select?.gif"), Settings().Get(TSetting::SelectPicture));
}

// The last move's mark: a translucent yellow-green wash over the square and a frame of a dark
// outer and a light inner line round the cell. The wash lightens every dark-square picture
// into a colour none of the light-square pictures has, so a marked square is not taken for
// a light one; on a square picture where the wash shows little, one of the lines stands out.
constexpr QRgb MarkWash = qRgb(155, 199, 0);
constexpr int MarkWashAlpha = 115;
constexpr QRgb MarkFrameDark = qRgb(24, 28, 16);
constexpr QRgb MarkFrameLight = qRgb(240, 250, 200);

// Each line of the frame: a pixel at small cells, three at the tiles' own size.
int MarkLineWidth(int edge) {
    return std::max(1, (edge + 15) / 30);
}

} // namespace

TBoardGrid::TBatch::TBatch(TBoardGrid& grid) : Grid(grid) {
    ++Grid.BatchDepth;
}

TBoardGrid::TBatch::~TBatch() {
    if (--Grid.BatchDepth == 0 && !Grid.Pending.isEmpty()) {
        const QRect bounds = Grid.Pending;
        Grid.Pending = QRect();
        if (Grid.isVisible()) Grid.repaint(bounds);
    }
}

TBoardGrid::TBoardGrid(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
    // The cells are drawn when the board is first laid out, not here: a picture that fails to
    // load must end a command, not the creation of the window.
    setFixedSize(Columns * Edge, Rows * Edge);
    Backing = QImage(Columns * Edge, Rows * Edge, QImage::Format_RGB32);
    Backing.fill(palette().color(QPalette::Button));
}

void TBoardGrid::SetLayout(int colCount, int rowCount, int cellEdge) {
    Columns = std::clamp(colCount, 1, MaxSide);
    Rows = std::clamp(rowCount, 1, MaxSide);
    Edge = std::max(cellEdge, 1);
    setFixedSize(Columns * Edge, Rows * Edge);
    Backing = QImage(Columns * Edge, Rows * Edge, QImage::Format_RGB32);
    RepaintGrid();
}

QRect TBoardGrid::CellRect(int column, int row) const {
    return QRect(column * Edge, row * Edge, Edge, Edge);
}

QRect TBoardGrid::CellRectOf(int square) const {
    const TScreenPos cell = ScreenPosOf(square, Orientation());
    return CellRect(cell.Column - 1, cell.Line - 1);
}

QPoint TBoardGrid::MouseToCell(QPoint point) const {
    if (point.x() < 0 || point.y() < 0) return {-1, -1};
    const int column = point.x() / Edge, row = point.y() / Edge;
    if (column >= Columns || row >= Rows) return {-1, -1};
    return {column, row};
}

void TBoardGrid::BoardRxDrawGridDrawCell(int column, int row) {
    const int square = SquareAt(column + 1, row + 1, Orientation());
    if (square != 0) {
        DrawSquare(square);
        return;
    }
    PaintTile(Caches.ComposeTile(Caches.LightTile, LightName(), {}, {}, false),
              CellRect(column, row));
}

TTile& TBoardGrid::EmptyTile(bool highlighted) {
    return Caches.ComposeTile(Caches.EmptyTiles[highlighted], DarkName(),
                              highlighted ? MarkName() : QString(), {}, false);
}

void TBoardGrid::DrawSquare(int square) {
    const TPosition* position = Position();
    if (!position || square <= 0 || square > SquareCount) return;
    TBatch batch(*this); // the tile and a mark over it reach the screen together
    const TSquare r = position->At(square);
    const bool highlighted = Highlighted(square);
    if (r.Empty) {
        PaintTile(EmptyTile(highlighted), CellRectOf(square));
    } else if (Settings().IsVornaRules() && Settings().Checked(TSetting::MarkBlocked) &&
               !quorvin::IsFree(*position, square)) {
        // A blocked man stands on the light-square picture.
        PaintTile(Caches.ComposeTile(Caches.BlockedTiles[r.Side ? 1 : 0], LightName(), {},
                                     PieceName(r), true),
                  CellRectOf(square));
    } else {
        DrawPiece(square, r, highlighted);
    }
    if (Marked.Contains(square)) PaintLastMoveMark(square, !r.Empty, highlighted);
}

void TBoardGrid::DrawPiece(int square, TSquare r, bool highlighted) {
    if (r.Empty) {
        PaintTile(EmptyTile(Highlighted(square)), CellRectOf(square));
        return;
    }
    TTileSlot& slot = Caches.PieceTiles[r.Side ? 1 : 0][r.Kind ? 1 : 0][highlighted];
    PaintTile(Caches.ComposeTile(slot, DarkName(), highlighted ? MarkName() : QString(),
                                 PieceName(r), true),
              CellRectOf(square));
}

void TBoardGrid::RedrawBoard() {
    if (!Position()) return;
    TBatch batch(*this);
    for (int s = SquareCount; s >= 1; --s) DrawSquare(s);
}

void TBoardGrid::RepaintGrid() {
    TBatch batch(*this);
    // Cells left undrawn (playable squares while there is no game) show the grid's colour.
    Backing.fill(palette().color(QPalette::Button));
    Show(Backing.rect());
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column) BoardRxDrawGridDrawCell(column, row);
}

void TBoardGrid::ClearTileCache() {
    Caches.Clear();
    RepaintGrid();
}

void TBoardGrid::SetLastMove(TLastMove move) {
    if (move == Marked) return;
    const TLastMove old = Marked;
    Marked = move;
    TBatch batch(*this);
    for (const int square : {old.From, old.To, move.From, move.To})
        if (square != 0) DrawSquare(square);
}

// The move input's highlight lies along the cell's edge where the frame would go, so a
// highlighted square keeps only the wash and its highlight stays in sight.
void TBoardGrid::PaintLastMoveMark(int square, bool piece, bool highlighted) {
    const QRect rect = CellRectOf(square);
    {
        QPainter painter(&Backing);
        painter.drawImage(rect.topLeft(), MarkOverlay(piece, !highlighted));
    }
    Show(rect);
}

// Over a piece the wash goes through the blend mask the way the square picture does, so it
// tints the square round the piece and leaves the piece its own colours.
const QImage& TBoardGrid::MarkOverlay(bool piece, bool framed) {
    if (MarkEdge != Edge) {
        for (auto& looks : MarkOverlays)
            for (auto& look : looks) look = QImage();
        MarkEdge = Edge;
    }
    QImage& overlay = MarkOverlays[piece ? 1 : 0][framed ? 1 : 0];
    if (!overlay.isNull()) return overlay;

    overlay = QImage(Edge, Edge, QImage::Format_ARGB32_Premultiplied);
    const QImage mask =
        piece ? AlphaImage()
                    .scaled(Edge, Edge, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_Grayscale8)
              : QImage();
    for (int y = 0; y < Edge; ++y) {
        const uchar* covered = piece ? mask.constScanLine(y) : nullptr;
        auto* line = reinterpret_cast<QRgb*>(overlay.scanLine(y));
        for (int x = 0; x < Edge; ++x) {
            const int alpha = covered ? MarkWashAlpha * (255 - covered[x]) / 255 : MarkWashAlpha;
            line[x] = qPremultiply(qRgba(qRed(MarkWash), qGreen(MarkWash), qBlue(MarkWash), alpha));
        }
    }
    if (framed) {
        const int w = MarkLineWidth(Edge);
        QPainter painter(&overlay);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const auto ring = [&painter](QRect outer, int width, QRgb colour) {
            const QRect inner = outer.adjusted(width, width, -width, -width);
            QRegion band(outer);
            band -= QRegion(inner);
            for (const QRect& part : band) painter.fillRect(part, QColor(colour));
        };
        ring(overlay.rect(), w, MarkFrameDark);
        ring(overlay.rect().adjusted(w, w, -w, -w), w, MarkFrameLight);
    }
    return overlay;
}

bool TBoardGrid::IsFree(int square) const {
    const TPosition* position = Position();
    return position && quorvin::IsFree(*position, square);
}

int TBoardGrid::CheckedFrame(int frame) {
    if (frame < 1 || frame > FrameCount)
        throw std::out_of_range("Animation frame " + std::to_string(frame) + " is not in 1..8");
    return frame;
}

void TBoardGrid::DrawShrinkFrame(int square, int frame, TSquare r) {
    const int n = CheckedFrame(frame);
    const int side = r.Side ? 1 : 0, kind = r.Kind ? 1 : 0;
    if (!Caches.ShrinkTiles[std::size_t(n - 1)][side][kind]) {
        // All eight frames of this piece are built together at the first need.
        QImage piece;
        LoadPicture(piece, BoardPictureFolder() + PieceName(r));
        if (!piece.hasAlphaChannel() && !piece.isNull()) {
            piece = piece.convertToFormat(QImage::Format_ARGB32);
            const QRgb key = piece.pixel(0, piece.height() - 1);
            for (int y = 0; y < piece.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
                for (int x = 0; x < piece.width(); ++x)
                    if (line[x] == key) line[x] = 0;
            }
        }
        for (int i = 1; i <= FrameCount; ++i) {
            TTileSlot& slot = Caches.ShrinkTiles[std::size_t(i - 1)][side][kind];
            if (slot) continue;
            TTile& tile = Caches.ComposeTile(slot, DarkName(), {}, {}, false);
            // The inset from each edge: 6, 11, 17, 22, 28, 33, 39, 44 pixels.
            const int e = RoundHalfEven(i * TileSize / 2.0 / FrameCount);
            const int size = TileSize - 2 * e;
            if (piece.isNull() || size <= 0) continue;
            QPainter painter(&tile.Picture);
            painter.drawImage(
                e, e, piece.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        }
    }
    PaintTile(*Caches.ShrinkTiles[std::size_t(n - 1)][side][kind], CellRectOf(square));
}

void TBoardGrid::DrawChangeFrame(int square, int frame) {
    const int n = CheckedFrame(frame);
    const TPosition* position = Position();
    if (!position) return;
    const int k = position->SideToMove == Black ? FrameCount + 1 - n : n;
    PaintTile(Caches.ComposeTile(Caches.ChangeTiles[std::size_t(k - 1)], DarkName(), {},
                                 NumberedName(QStringLiteral("VornaChange?.gif"), k), false),
              CellRectOf(square));
}

void TBoardGrid::DrawCrownFrame(int square, int frame) {
    const int n = CheckedFrame(frame);
    const TPosition* position = Position();
    if (!position) return;
    const int side = position->SideToMove == White ? Black : White; // the side that just moved
    const QString pattern =
        side == White ? QStringLiteral("WhiteToKing?.gif") : QStringLiteral("BlackToKing?.gif");
    PaintTile(Caches.ComposeTile(Caches.CrownTiles[std::size_t(n - 1)][side], DarkName(), {},
                                 NumberedName(pattern, n), false),
              CellRectOf(square));
}

void TBoardGrid::PaintTile(const TTile& tile, const QRect& rect) {
    {
        QPainter painter(&Backing);
        painter.drawImage(rect.topLeft(), tile.Scaled(rect.width()));
    }
    Show(rect);
}

void TBoardGrid::Show(const QRect& rect) {
    if (BatchDepth > 0) {
        // One rectangle round everything drawn: the backing picture is right everywhere, and
        // one copy to the screen is far cheaper than one per scattered cell.
        Pending |= rect;
        return;
    }
    // Straight to the screen, also while the program serves no events.
    if (isVisible()) repaint(rect);
}

void TBoardGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), Backing, r);
}

void TBoardGrid::mousePressEvent(QMouseEvent* event) {
    emit MousePressed(event->button(), event->position().toPoint());
}

} // namespace quorvin
