// The board on screen: the grid `BoardRxDrawGrid` of Files x Rows square cells without grid
// lines. Every cell is a cached picture tile stretched to the cell, never drawn from
// primitives; only the mark of the last move is painted over its two squares' tiles. The grid
// owns a backing picture that every drawing operation paints into and puts on screen at once,
// so that a frame of an animation shows even while the program is busy and serves no events.
#pragma once

#include "geometry.h"
#include "last_move.h"
#include "position.h"
#include "tile_cache.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>

namespace quorvin {

class TBoardGrid : public QWidget {
    Q_OBJECT

  public:
    // The position shown, or nullptr while there is no game record.
    using TPositionSource = std::function<const TPosition*()>;
    // Whether a square is in the highlight set of the move input.
    using THighlightTest = std::function<bool(int square)>;

    explicit TBoardGrid(QWidget* parent = nullptr);

    void SetPositionSource(TPositionSource source) { PositionSource = std::move(source); }
    void SetHighlightTest(THighlightTest test) { HighlightTest = std::move(test); }

    // Columns (Files), rows (Rows) and the cell edge in pixels. Setting them resizes the grid
    // to ColCount x edge by RowCount x edge and draws every cell again.
    int ColCount() const { return Columns; }
    int RowCount() const { return Rows; }
    int CellEdge() const { return Edge; }
    void SetLayout(int colCount, int rowCount, int cellEdge);
    void SetGridSize(int colCount, int rowCount) { SetLayout(colCount, rowCount, Edge); }
    void SetCellEdge(int cellEdge) { SetLayout(Columns, Rows, cellEdge); }

    // The grid rectangle of 0-based column and row.
    QRect CellRect(int column, int row) const;
    // The grid rectangle of the cell that shows a square under the current orientation.
    QRect CellRectOf(int square) const;
    // The 0-based (column, row) under a point of the grid, or (-1, -1) off the cells.
    QPoint MouseToCell(QPoint point) const;

    // Draws cell (column + 1, row + 1): its square, or the light-square picture.
    void BoardRxDrawGridDrawCell(int column, int row);
    // Draws one playable square from the current position; nothing without a position.
    void DrawSquare(int square);
    // Draws a square with the given contents instead of the position's.
    void DrawPiece(int square, TSquare record, bool highlighted);
    // Draws every playable square, from the last to the first.
    void RedrawBoard();
    // Forgets every tile and draws the whole grid again from the current option values.
    void ClearTileCache();
    // Draws every cell of the grid.
    void RepaintGrid();
    // The piece on the square is not blocked (current position; Vorna's "Mark blocked").
    bool IsFree(int square) const;

    // The squares of the last move, marked whenever DrawSquare draws them; setting them draws
    // again the squares that gain or lose the mark. The grid marks what it is given: whether
    // the last move is shown at all is the window's decision. DrawPiece and the animation
    // frames never mark a square.
    void SetLastMove(TLastMove move);
    TLastMove LastMove() const { return Marked; }

    // Frame 1..8 of a captured piece shrinking away.
    void DrawShrinkFrame(int square, int frame, TSquare record);
    // Frame 1..8 of a Vorna capture turning a man over; played backwards while Black is to
    // move.
    void DrawChangeFrame(int square, int frame);
    // Frame 1..8 of the side that has just moved crowning a man.
    void DrawCrownFrame(int square, int frame);

    // What the grid shows, cell by cell: ColCount x edge by RowCount x edge pixels.
    const QImage& Canvas() const { return Backing; }
    TTileCaches& Tiles() { return Caches; }

  signals:
    // A mouse button went down on the grid; the move input and position setup listen.
    void MousePressed(Qt::MouseButton button, QPoint position);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // Holds screen updates back while a group of cells is drawn, and shows them together.
    class TBatch {
      public:
        explicit TBatch(TBoardGrid& grid);
        ~TBatch();
        TBatch(const TBatch&) = delete;
        TBatch& operator=(const TBatch&) = delete;

      private:
        TBoardGrid& Grid;
    };

    const TPosition* Position() const { return PositionSource ? PositionSource() : nullptr; }
    bool Highlighted(int square) const { return HighlightTest && HighlightTest(square); }
    TTile& EmptyTile(bool highlighted);
    void PaintTile(const TTile& tile, const QRect& rect);
    void PaintLastMoveMark(int square, bool piece, bool highlighted);
    const QImage& MarkOverlay(bool piece, bool framed);
    void Show(const QRect& rect);
    static int CheckedFrame(int frame);

    TPositionSource PositionSource;
    THighlightTest HighlightTest;
    TTileCaches Caches;
    QImage Backing;
    int Columns = 8, Rows = 8, Edge = 40;
    int BatchDepth = 0;
    QRect Pending; // what a batch has drawn so far
    TLastMove Marked;
    // The mark at the cell edge MarkEdge, by [piece][framed].
    std::array<std::array<QImage, 2>, 2> MarkOverlays;
    int MarkEdge = 0;
};

} // namespace quorvin
