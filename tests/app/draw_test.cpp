// The board grid: which tile each cell shows (light cells, empty and highlighted squares,
// pieces, blocked men), "White side on top", the tile caches as the drawing uses them, the
// animation frames, a picture that fails while the board is drawn, and the mark of the last
// move over its squares on every picture set.
#include "app_test_support.h"
#include "data_module.h"
#include "draw.h"
#include "picture_error.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace quorvin::test {
namespace {

class BoardGridTest : public testing::Test {
  protected:
    void SetUp() override { Use(TRules::International, 8, 8); }
    void TearDown() override { OverrideProgramFolder(BuildFolder()); }

    // A board of these rules in its initial arrangement, drawn at the tiles' own size so
    // that cells can be compared pixel for pixel with the pictures.
    void Use(TRules rules, int rows, int files) {
        ResetApp(rules, rows, files);
        Position = EmptyPosition();
        Position->SetInitial();
        Grid.SetPositionSource([this] { return Shown ? Position.get() : nullptr; });
        Grid.SetHighlightTest([this](int s) { return Highlight.count(s) > 0; });
        Grid.SetLayout(files, rows, TileSize);
    }
    QImage Cell(int square) const { return Part(Grid.Canvas(), Grid.CellRectOf(square)); }
    QRgb CellPixel(int square, int x, int y) const {
        return Grid.Canvas().pixel(Grid.CellRectOf(square).topLeft() + QPoint(x, y));
    }

    std::unique_ptr<TPosition> Position;
    bool Shown = true;
    std::set<int> Highlight;
    TBoardGrid Grid;
};

TEST_F(BoardGridTest, TheCanvasIsFilesCellsWideAndRowsCellsHigh) {
    ResetApp(TRules::Vorna, 8, 10);
    Grid.SetLayout(BoardFiles, BoardRows, 40);
    EXPECT_EQ(Grid.Canvas().size(), QSize(400, 320));
    EXPECT_EQ(Grid.size(), QSize(400, 320));
    Grid.SetCellEdge(120);
    EXPECT_EQ(Grid.Canvas().size(), QSize(1200, 960));
    EXPECT_EQ(Grid.CellRect(2, 1), QRect(240, 120, 120, 120));
    EXPECT_EQ(Grid.MouseToCell(QPoint(250, 130)), QPoint(2, 1));
    EXPECT_EQ(Grid.MouseToCell(QPoint(1200, 0)), QPoint(-1, -1));
}

TEST_F(BoardGridTest, CellsShowTheirTiles) {
    const QImage dark = BoardPicture("Used0.jpg"), light = BoardPicture("UnUsed0.jpg");
    // Square 1, a White man, is in the bottom-left corner; square 13 is empty.
    EXPECT_EQ(Grid.CellRectOf(1), QRect(0, 7 * TileSize, TileSize, TileSize));
    EXPECT_EQ(DifferingPixels(Cell(13), dark), 0);
    EXPECT_EQ(DifferingPixels(Part(Grid.Canvas(), Grid.CellRect(0, 0)), light), 0);
    QImage man = dark.convertToFormat(QImage::Format_RGB32);
    MaskBlend(man, BoardPicture("WhitePawn.gif"));
    EXPECT_EQ(DifferingPixels(Cell(1), man), 0);
}

TEST_F(BoardGridTest, WithoutAGameOnlyTheLightCellsArePainted) {
    Shown = false;
    Grid.RepaintGrid();
    const QRgb face = Grid.palette().color(QPalette::Button).rgb();
    EXPECT_EQ(CellPixel(1, 44, 44), face);
    EXPECT_EQ(CellPixel(13, 5, 5), face);
    EXPECT_EQ(
        DifferingPixels(Part(Grid.Canvas(), Grid.CellRect(0, 0)), BoardPicture("UnUsed0.jpg")), 0);
}

TEST_F(BoardGridTest, WhiteSideOnTopShowsEverySquareInThePointSymmetricCell) {
    const QImage normal = Grid.Canvas();
    std::vector<QRect> cells;
    for (int s = 1; s <= SquareCount; ++s) cells.push_back(Grid.CellRectOf(s));

    Settings().Set(TSetting::WhiteTop, 1);
    Grid.ClearTileCache();
    const int side = 8 * TileSize;
    for (int s = 1; s <= SquareCount; ++s) {
        const QRect before = cells[std::size_t(s - 1)], after = Grid.CellRectOf(s);
        EXPECT_EQ(after.topLeft(), QPoint(side - before.right() - 1, side - before.bottom() - 1))
            << "square " << s;
        EXPECT_EQ(DifferingPixels(Part(Grid.Canvas(), after), Part(normal, before)), 0)
            << "square " << s;
    }
    EXPECT_EQ(Grid.CellRectOf(1).topLeft(), QPoint(7 * TileSize, 0));
}

TEST_F(BoardGridTest, AHighlightedEmptySquareShowsTheMark) {
    const QImage mark = BoardPicture("Select0.gif"), dark = BoardPicture("Used0.jpg");
    Highlight = {13};
    Grid.DrawSquare(13);
    EXPECT_EQ(CellPixel(13, 2, 44), mark.pixel(2, 44));
    EXPECT_EQ(CellPixel(13, 44, 2), mark.pixel(44, 2));
    EXPECT_EQ(CellPixel(13, 44, 44), dark.pixel(44, 44));
    Highlight.clear();
    Grid.DrawSquare(13);
    EXPECT_EQ(DifferingPixels(Cell(13), dark), 0);
}

TEST_F(BoardGridTest, AHighlightedPieceShowsTheMarkOnlyOutsideItsDisc) {
    Settings().Set(TSetting::SelectPicture, 1);
    Grid.ClearTileCache();
    const QImage plain = Cell(1);
    Highlight = {1};
    Grid.DrawSquare(1);
    const QImage mark = BoardPicture("Select1.gif");
    ASSERT_EQ(qAlpha(mark.pixel(3, 3)), 255);
    EXPECT_EQ(CellPixel(1, 3, 3), mark.pixel(3, 3));
    EXPECT_NE(plain.pixel(3, 3), mark.pixel(3, 3));
    // Inside the disc the highlighted piece is the plain one.
    const QImage lit = Cell(1);
    for (QPoint p : {QPoint(44, 44), QPoint(20, 44), QPoint(44, 70)})
        EXPECT_EQ(lit.pixel(p), plain.pixel(p));
}

TEST_F(BoardGridTest, ARepaintReusesTheTilesAndClearingComposesThemAgain) {
    TTileCaches& tiles = Grid.Tiles();
    Grid.ClearTileCache();
    const int looks = tiles.ComposeCount;
    Grid.RepaintGrid();
    Grid.RedrawBoard();
    for (int s = 1; s <= SquareCount; ++s) Grid.DrawSquare(s);
    EXPECT_EQ(tiles.ComposeCount, looks);
    // Light cell, empty square, White man and Black man.
    Grid.ClearTileCache();
    EXPECT_EQ(tiles.ComposeCount, looks + 4);
}

TEST_F(BoardGridTest, AViewOptionTakesEffectOnlyAfterTheCacheIsCleared) {
    Settings().Set(TSetting::DarkPicture, 4);
    Grid.DrawSquare(13);
    EXPECT_EQ(DifferingPixels(Cell(13), BoardPicture("Used0.jpg")), 0);
    Grid.ClearTileCache();
    EXPECT_EQ(DifferingPixels(Cell(13), BoardPicture("Used4.jpg")), 0);
    // Light and dark pictures of different sets mix.
    EXPECT_EQ(
        DifferingPixels(Part(Grid.Canvas(), Grid.CellRect(0, 0)), BoardPicture("UnUsed0.jpg")), 0);
}

TEST_F(BoardGridTest, DrawPieceShowsTheGivenContentsInsteadOfThePositions) {
    Grid.DrawPiece(13, BlackKing, false);
    QImage king = BoardPicture("Used0.jpg").convertToFormat(QImage::Format_RGB32);
    MaskBlend(king, BoardPicture("BlackKing.gif"));
    EXPECT_EQ(DifferingPixels(Cell(13), king), 0);
    Grid.DrawPiece(1, EmptySquare, true);
    EXPECT_EQ(DifferingPixels(Cell(1), BoardPicture("Used0.jpg")), 0);
}

class BlockedMarkTest : public BoardGridTest {
  protected:
    // A Vorna board with one White man blocked on the far row and one free man.
    void Arrange(TRules rules) {
        Use(rules, 8, 10);
        Position->ClearBoard();
        Position->SetSideToMove(White);
        Blocked = SquareOf(2, 8);
        Free = SquareOf(3, 1);
        Position->Put(Blocked, WhiteMan);
        Position->Put(Free, WhiteMan);
    }
    QRgb Corner(int square) const { return CellPixel(square, 1, 1); }
    int Blocked = 0, Free = 0;
};

TEST_F(BlockedMarkTest, ABlockedManStandsOnTheLightSquarePicture) {
    Arrange(TRules::Vorna);
    Settings().Set(TSetting::MarkBlocked, 1);
    Grid.ClearTileCache();
    const QRgb light = BoardPicture("UnUsed0.jpg").pixel(1, 1);
    const QRgb dark = BoardPicture("Used0.jpg").pixel(1, 1);
    EXPECT_FALSE(Grid.IsFree(Blocked));
    EXPECT_TRUE(Grid.IsFree(Free));
    EXPECT_EQ(Corner(Blocked), light);
    EXPECT_EQ(Corner(Free), dark);
}

TEST_F(BlockedMarkTest, NoManIsMarkedWithTheBoxUnchecked) {
    Arrange(TRules::Vorna);
    Grid.ClearTileCache();
    EXPECT_EQ(Corner(Blocked), BoardPicture("Used0.jpg").pixel(1, 1));
}

TEST_F(BlockedMarkTest, NoManIsMarkedUnderOtherRules) {
    Arrange(TRules::International);
    Settings().Set(TSetting::MarkBlocked, 1);
    Grid.ClearTileCache();
    EXPECT_EQ(Corner(Blocked), BoardPicture("Used0.jpg").pixel(1, 1));
}

TEST_F(BoardGridTest, ChangeFramesRunBackwardsWhileBlackIsToMove) {
    Grid.DrawChangeFrame(13, 1);
    EXPECT_TRUE(Grid.Tiles().ChangeTiles[0]);
    EXPECT_FALSE(Grid.Tiles().ChangeTiles[7]);
    QImage first = BoardPicture("Used0.jpg").convertToFormat(QImage::Format_RGB32);
    {
        QPainter p(&first);
        p.drawImage(0, 0, BoardPicture("VornaChange1.gif"));
    }
    EXPECT_EQ(DifferingPixels(Cell(13), first), 0);

    Position->SetSideToMove(Black);
    Grid.DrawChangeFrame(13, 1);
    EXPECT_TRUE(Grid.Tiles().ChangeTiles[7]);
    Grid.DrawChangeFrame(13, 8);
    EXPECT_EQ(DifferingPixels(Cell(13), first), 0);
}

TEST_F(BoardGridTest, CrownFramesShowTheSideThatHasJustMoved) {
    Position->SetSideToMove(White); // Black has just moved
    Grid.DrawCrownFrame(13, 3);
    EXPECT_TRUE(Grid.Tiles().CrownTiles[2][Black]);
    EXPECT_FALSE(Grid.Tiles().CrownTiles[2][White]);
    QImage expected = BoardPicture("Used0.jpg").convertToFormat(QImage::Format_RGB32);
    {
        QPainter p(&expected);
        p.drawImage(0, 0, BoardPicture("BlackToKing3.gif"));
    }
    EXPECT_EQ(DifferingPixels(Cell(13), expected), 0);
}

TEST_F(BoardGridTest, TheLastShrinkFrameLeavesOnePixelOfThePiece) {
    Grid.DrawShrinkFrame(13, 1, WhiteMan);
    // All eight frames of the piece were built at the first need.
    for (int frame = 0; frame < FrameCount; ++frame)
        EXPECT_TRUE(Grid.Tiles().ShrinkTiles[std::size_t(frame)][White][Man]);
    const QImage dark = BoardPicture("Used0.jpg");
    const QImage& last = Grid.Tiles().ShrinkTiles[7][White][Man]->Picture;
    EXPECT_LE(DifferingPixels(last, dark), 1);
    EXPECT_EQ(DifferingPixels(Part(last, QRect(0, 0, TileSize, 44)),
                              Part(dark, QRect(0, 0, TileSize, 44))),
              0);
    // Frame 1 draws the piece inside a 6-pixel margin and nowhere else.
    const QImage& first = Grid.Tiles().ShrinkTiles[0][White][Man]->Picture;
    EXPECT_EQ(DifferingPixels(Part(first, QRect(0, 0, TileSize, 6)),
                              Part(dark, QRect(0, 0, TileSize, 6))),
              0);
    EXPECT_NE(first.pixel(44, 44), dark.pixel(44, 44));
}

TEST_F(BoardGridTest, AnimationFramesOutside1To8AreRefused) {
    EXPECT_THROW(Grid.DrawChangeFrame(13, 0), std::out_of_range);
    EXPECT_THROW(Grid.DrawCrownFrame(13, 9), std::out_of_range);
    EXPECT_THROW(Grid.DrawShrinkFrame(13, 9, WhiteMan), std::out_of_range);
}

TEST_F(BoardGridTest, AMissingPictureEndsTheDrawingAndTheBoardGoesOn) {
    QTemporaryDir empty;
    QDir(empty.path()).mkpath("Images/Board");
    OverrideProgramFolder(empty.path());
    try {
        Grid.ClearTileCache();
        ADD_FAILURE() << "no error";
    } catch (const TPictureError& e) {
        EXPECT_TRUE(e.FileName.startsWith(empty.path() + "/Images/Board/"));
    }
    OverrideProgramFolder(BuildFolder());
    EXPECT_NO_THROW(Grid.ClearTileCache());
    EXPECT_EQ(DifferingPixels(Cell(13), BoardPicture("Used0.jpg")), 0);
}

// The mark of the last move. Square 13 is empty and square 1 holds a White man in the
// initial arrangement of the fixture's board.
class LastMoveMarkTest : public BoardGridTest {
  protected:
    static int Luminance(QRgb c) { return qGray(c); }
    // The mean colour of a cell without the outer eighth on each side, and how far apart two
    // colours are.
    static QColor InnerColour(const QImage& cell) {
        const int inset = cell.width() / 8;
        double r = 0, g = 0, b = 0;
        int n = 0;
        for (int y = inset; y < cell.height() - inset; ++y)
            for (int x = inset; x < cell.width() - inset; ++x, ++n) {
                const QRgb c = cell.pixel(x, y);
                r += qRed(c), g += qGreen(c), b += qBlue(c);
            }
        return QColor(int(r / n), int(g / n), int(b / n));
    }
    static double Distance(QColor a, QColor b) {
        return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
    }
    // The mean luminance of a cell without the outer eighth on each side, where the frame is.
    static double InnerLuminance(const QImage& cell) {
        const int inset = cell.width() / 8;
        double sum = 0;
        int n = 0;
        for (int y = inset; y < cell.height() - inset; ++y)
            for (int x = inset; x < cell.width() - inset; ++x, ++n)
                sum += Luminance(cell.pixel(x, y));
        return sum / n;
    }
    // The runs of dark and then light pixels met going in from the middle of the cell's left
    // edge: the two lines of the frame.
    static std::pair<int, int> FrameLines(const QImage& cell) {
        const int y = cell.height() / 2;
        int x = 0, dark = 0, light = 0;
        for (; x < cell.width() && Luminance(cell.pixel(x, y)) < 60; ++x) ++dark;
        for (; x < cell.width() && Luminance(cell.pixel(x, y)) > 200; ++x) ++light;
        return {dark, light};
    }
};

TEST_F(LastMoveMarkTest, NothingIsMarkedUntilTheGridIsGivenAMove) {
    EXPECT_TRUE(Grid.LastMove().Empty());
    const QImage before = Grid.Canvas();
    Grid.RedrawBoard();
    EXPECT_EQ(DifferingPixels(Grid.Canvas(), before), 0);
    EXPECT_EQ(DifferingPixels(Cell(13), BoardPicture("Used0.jpg")), 0);
}

TEST_F(LastMoveMarkTest, TheOriginIsWashedAndFramedAndTheLandingPieceKeepsItsColours) {
    const QImage emptyBefore = Cell(13), manBefore = Cell(1);
    Grid.SetLastMove({13, 1});
    EXPECT_EQ(Grid.LastMove(), (TLastMove{13, 1}));
    const QImage origin = Cell(13), landing = Cell(1);

    // The empty square is lighter and yellow-green all over.
    EXPECT_GT(InnerLuminance(origin), InnerLuminance(emptyBefore) + 20);
    const QRgb plain = emptyBefore.pixel(44, 44), washed = origin.pixel(44, 44);
    EXPECT_GT(qGreen(washed), qGreen(plain));
    EXPECT_GT(qGreen(washed) - qBlue(washed), qGreen(plain) - qBlue(plain));
    // Round the man the square is washed; the man itself is untouched.
    for (QPoint p : {QPoint(44, 44), QPoint(20, 44), QPoint(44, 70), QPoint(30, 30)})
        EXPECT_EQ(landing.pixel(p), manBefore.pixel(p)) << p.x() << "," << p.y();
    EXPECT_GT(Distance(landing.pixel(7, 7), manBefore.pixel(7, 7)), 40);
    // Both carry the frame: a dark line outside, a light one inside.
    for (const QImage& cell : {origin, landing}) {
        const auto [dark, light] = FrameLines(cell);
        EXPECT_EQ(dark, 3);
        EXPECT_EQ(light, 3);
    }
    // Nothing else changed.
    Grid.SetLastMove({});
    EXPECT_EQ(DifferingPixels(Cell(13), emptyBefore), 0);
    EXPECT_EQ(DifferingPixels(Cell(1), manBefore), 0);
}

TEST_F(LastMoveMarkTest, ANewMoveTakesTheMarkFromTheSquaresOfTheOldOne) {
    const QImage plain = Grid.Canvas();
    Grid.SetLastMove({13, 1});
    Grid.SetLastMove({14, 5});
    EXPECT_EQ(DifferingPixels(Cell(13), Part(plain, Grid.CellRectOf(13))), 0);
    EXPECT_EQ(DifferingPixels(Cell(1), Part(plain, Grid.CellRectOf(1))), 0);
    EXPECT_GT(DifferingPixels(Cell(14), Part(plain, Grid.CellRectOf(14))), 0);
    EXPECT_GT(DifferingPixels(Cell(5), Part(plain, Grid.CellRectOf(5))), 0);
    // Taking the mark away leaves the board as it was.
    Grid.SetLastMove({});
    EXPECT_EQ(DifferingPixels(Grid.Canvas(), plain), 0);
}

TEST_F(LastMoveMarkTest, TheMarkStaysThroughRepaintsAndFollowsTheSquareWhenTheBoardTurns) {
    Grid.SetLastMove({13, 1});
    const QImage marked = Cell(13);
    Grid.ClearTileCache();
    EXPECT_EQ(DifferingPixels(Cell(13), marked), 0);
    Grid.RepaintGrid();
    EXPECT_EQ(DifferingPixels(Cell(13), marked), 0);
    const QRect before = Grid.CellRectOf(13);
    Settings().Set(TSetting::WhiteTop, 1);
    Grid.ClearTileCache();
    ASSERT_NE(Grid.CellRectOf(13), before);
    EXPECT_EQ(DifferingPixels(Cell(13), marked), 0);
    EXPECT_EQ(DifferingPixels(Part(Grid.Canvas(), before), BoardPicture("Used0.jpg")), 0)
        << "the cell the square left is plain";
}

TEST_F(LastMoveMarkTest, DrawPieceAndAnimationFramesNeverMark) {
    Grid.SetLastMove({13, 1});
    Grid.DrawPiece(13, EmptySquare, false);
    EXPECT_EQ(DifferingPixels(Cell(13), BoardPicture("Used0.jpg")), 0);
    Grid.DrawShrinkFrame(1, 8, WhiteMan);
    EXPECT_EQ(DifferingPixels(Cell(1), Grid.Tiles().ShrinkTiles[7][White][Man]->Picture), 0);
}

TEST_F(LastMoveMarkTest, AHighlightedSquareKeepsItsHighlightUnderTheWash) {
    const QImage mark = BoardPicture("Select0.gif");
    Highlight = {13};
    Grid.SetLastMove({13, 1});
    const QImage cell = Cell(13);
    // No frame: along the edge the yellow highlight shows through the wash.
    const auto [dark, light] = FrameLines(cell);
    EXPECT_EQ(dark, 0);
    const QRgb edge = cell.pixel(2, 44);
    EXPECT_GT(qRed(edge), 200);
    EXPECT_GT(qGreen(edge), 150);
    EXPECT_LT(qBlue(edge), 120);
    EXPECT_GT(InnerLuminance(cell), InnerLuminance(BoardPicture("Used0.jpg")) + 20);
    // The landing square is not highlighted and keeps its frame.
    EXPECT_EQ(FrameLines(Cell(1)).first, 3);
    ASSERT_EQ(qAlpha(mark.pixel(2, 44)), 255);
}

TEST_F(LastMoveMarkTest, TheFrameGrowsWithTheCell) {
    Grid.SetLastMove({13, 1});
    int previous = 0;
    for (int edge : {24, 40, 60, 89, 120}) {
        SCOPED_TRACE(edge);
        Grid.SetCellEdge(edge);
        const auto [dark, light] = FrameLines(Cell(13));
        EXPECT_GE(dark, 1);
        EXPECT_EQ(light, dark);
        EXPECT_GE(dark, previous);
        EXPECT_LE(dark, edge / 20 + 1);
        previous = dark;
    }
    EXPECT_GT(previous, 1);
}

// The two lines of the frame are as dark and as light as they can usefully be, so on any
// picture one of them stands out. The wash changes every dark square picture clearly, and
// into something that looks like none of the light square pictures.
TEST_F(LastMoveMarkTest, TheMarkReadsOnEveryPictureSet) {
    const int sets = SettingDef(TSetting::DarkPicture).Max + 1;
    std::vector<QColor> lights;
    for (int set = 0; set < sets; ++set)
        lights.push_back(InnerColour(BoardPicture(QStringLiteral("UnUsed%1.jpg").arg(set))
                                         .convertToFormat(QImage::Format_RGB32)));
    for (int set = 0; set < sets; ++set) {
        SCOPED_TRACE(set);
        Settings().Set(TSetting::DarkPicture, set);
        Settings().Set(TSetting::LightPicture, set);
        Grid.SetLastMove({});
        Grid.ClearTileCache();
        const QImage emptyBefore = Cell(13), manBefore = Cell(1);
        Grid.SetLastMove({13, 1});
        const QImage origin = Cell(13), landing = Cell(1);

        EXPECT_GT(Distance(InnerColour(origin), InnerColour(emptyBefore)), 45);
        for (const QColor& light : lights) EXPECT_GT(Distance(InnerColour(origin), light), 100);
        EXPECT_GT(Distance(landing.pixel(7, 7), manBefore.pixel(7, 7)), 40);
        const double square = InnerLuminance(emptyBefore);
        const int darkLine = Luminance(origin.pixel(0, 44));
        const int lightLine = Luminance(origin.pixel(4, 44));
        EXPECT_GT(std::max(square - darkLine, lightLine - square), 100.0);
        EXPECT_EQ(FrameLines(origin), FrameLines(landing));
    }
}

} // namespace
} // namespace quorvin::test
