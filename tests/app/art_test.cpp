// The pictures the game ships: every board picture present at 89 x 89 and decodable, pieces
// round on a transparent ground with kings marked, light and dark squares clearly apart, the
// five sets clearly different, and every compiled-in glyph, cursor, icon and the splash.
#include "app_resources.h"
#include "app_test_support.h"
#include "tile_cache.h"

#include <QPixmap>

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace quorvin::test {
namespace {

struct TMean {
    double R = 0, G = 0, B = 0;
    double Luma() const { return 0.299 * R + 0.587 * G + 0.114 * B; }
    double Distance(const TMean& o) const {
        return std::sqrt((R - o.R) * (R - o.R) + (G - o.G) * (G - o.G) + (B - o.B) * (B - o.B));
    }
};

TMean MeanOf(const QImage& image) {
    TMean m;
    const double n = double(image.width()) * image.height();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            m.R += qRed(p) / n;
            m.G += qGreen(p) / n;
            m.B += qBlue(p) / n;
        }
    return m;
}

QStringList BoardPictureNames() {
    QStringList names;
    for (int set = 0; set < 5; ++set)
        names << QString("UnUsed%1.jpg").arg(set) << QString("Used%1.jpg").arg(set);
    names << "Select0.gif"
          << "Select1.gif"
          << "WhitePawn.gif"
          << "WhiteKing.gif"
          << "BlackPawn.gif"
          << "BlackKing.gif";
    for (int frame = 1; frame <= 8; ++frame)
        names << QString("VornaChange%1.gif").arg(frame) << QString("WhiteToKing%1.gif").arg(frame)
              << QString("BlackToKing%1.gif").arg(frame);
    return names;
}

TEST(Art, EveryBoardPictureIs89By89) {
    for (const QString& name : BoardPictureNames()) {
        const QImage picture = BoardPicture(name);
        EXPECT_EQ(picture.size(), QSize(TileSize, TileSize)) << name.toStdString();
        EXPECT_EQ(picture.hasAlphaChannel(), name.endsWith(".gif")) << name.toStdString();
    }
}

TEST(Art, PiecesAreRoundOnATransparentGround) {
    for (const char* name : {"WhitePawn.gif", "WhiteKing.gif", "BlackPawn.gif", "BlackKing.gif"}) {
        const QImage piece = BoardPicture(name);
        for (QPoint corner :
             {QPoint(0, 0), QPoint(88, 0), QPoint(0, 88), QPoint(88, 88), QPoint(10, 10)})
            EXPECT_EQ(qAlpha(piece.pixel(corner)), 0) << name;
        // Opaque across the disc, which reaches as far as the mask does.
        for (QPoint inside :
             {QPoint(44, 44), QPoint(44, 4), QPoint(4, 44), QPoint(84, 44), QPoint(44, 84)})
            EXPECT_EQ(qAlpha(piece.pixel(inside)), 255) << name;
    }
    // White is light and Black is dark.
    EXPECT_GT(MeanOf(BoardPicture("WhitePawn.gif").copy(24, 24, 40, 40)).Luma(), 170);
    EXPECT_LT(MeanOf(BoardPicture("BlackPawn.gif").copy(24, 24, 40, 40)).Luma(), 90);
}

TEST(Art, KingsWearACrownThatMenDoNot) {
    for (const auto& [man, king] : {std::pair("WhitePawn.gif", "WhiteKing.gif"),
                                    std::pair("BlackPawn.gif", "BlackKing.gif")}) {
        const QRect centre(24, 24, 41, 41);
        const int differing =
            DifferingPixels(BoardPicture(man).copy(centre), BoardPicture(king).copy(centre));
        EXPECT_GT(differing, 400) << king;
        // The crown is gold: far more red than blue in the middle of the king.
        const TMean middle = MeanOf(BoardPicture(king).copy(34, 34, 21, 14));
        EXPECT_GT(middle.R - middle.B, 60) << king;
    }
}

TEST(Art, LightAndDarkSquaresAreClearlyApart) {
    for (int set = 0; set < 5; ++set) {
        const TMean light = MeanOf(BoardPicture(QString("UnUsed%1.jpg").arg(set)));
        const TMean dark = MeanOf(BoardPicture(QString("Used%1.jpg").arg(set)));
        EXPECT_GT(light.Luma() - dark.Luma(), 70) << "set " << set;
    }
}

TEST(Art, TheFiveSetsAreClearlyDifferent) {
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b) {
            const double light =
                MeanOf(BoardPicture(QString("UnUsed%1.jpg").arg(a)))
                    .Distance(MeanOf(BoardPicture(QString("UnUsed%1.jpg").arg(b))));
            const double dark = MeanOf(BoardPicture(QString("Used%1.jpg").arg(a)))
                                    .Distance(MeanOf(BoardPicture(QString("Used%1.jpg").arg(b))));
            EXPECT_GT(light + dark, 60) << "sets " << a << " and " << b;
        }
}

TEST(Art, MarksLeaveTheMiddleOfTheSquareClear) {
    for (const char* name : {"Select0.gif", "Select1.gif"}) {
        const QImage mark = BoardPicture(name);
        EXPECT_EQ(qAlpha(mark.pixel(44, 44)), 0) << name;
        EXPECT_EQ(qAlpha(mark.pixel(20, 20)), 0) << name;
        EXPECT_EQ(qAlpha(mark.pixel(2, 2)), 255) << name;
        EXPECT_EQ(qAlpha(mark.pixel(86, 86)), 255) << name;
    }
}

TEST(Art, TheCaptureFramesTurnAWhiteManBlack) {
    EXPECT_GT(MeanOf(BoardPicture("VornaChange1.gif").copy(34, 34, 21, 21)).Luma(), 170);
    EXPECT_LT(MeanOf(BoardPicture("VornaChange8.gif").copy(34, 34, 21, 21)).Luma(), 90);
}

TEST(Art, EveryCompiledInPictureLoads) {
    InitAppResources();
    for (const char* glyph :
         {Resource::NewGameGlyph,   Resource::OptionsGlyph,     Resource::HelpGlyph,
          Resource::SidesGlyph,     Resource::UndoAllGlyph,     Resource::UndoGlyph,
          Resource::RedoGlyph,      Resource::RedoAllGlyph,     Resource::AdviceGlyph,
          Resource::AdviserGlyph,   Resource::StopGlyph,        Resource::SetupGlyph,
          Resource::RotateGlyph,    Resource::EmptySquareGlyph, Resource::WhitePawnGlyph,
          Resource::BlackPawnGlyph, Resource::WhiteKingGlyph,   Resource::BlackKingGlyph,
          Resource::DelegateGlyph,  Resource::ClearGlyph,       Resource::ArrangeGlyph,
          Resource::ContinueGlyph,  Resource::ComputerImage,    Resource::HumanImage,
          Resource::WhiteImage,     Resource::BlackImage,       Resource::EmptyImage})
        EXPECT_EQ(QImage(glyph).size(), QSize(32, 32)) << glyph;
    for (const auto& [icon, size] :
         {std::pair{Resource::Icon32, 32}, std::pair{Resource::Icon48, 48},
          std::pair{Resource::Icon64, 64}, std::pair{Resource::Icon128, 128},
          std::pair{Resource::Icon256, 256}})
        EXPECT_EQ(QImage(icon).size(), QSize(size, size)) << icon;
    EXPECT_EQ(QImage(Resource::Splash).size(), QSize(640, 399));
    for (TSetupCursor tool :
         {TSetupCursor::EmptySquare, TSetupCursor::WhitePawn, TSetupCursor::BlackPawn,
          TSetupCursor::WhiteKing, TSetupCursor::BlackKing}) {
        const QCursor cursor = SetupCursor(tool);
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
        EXPECT_EQ(cursor.hotSpot(), QPoint(1, 1));
    }
}

} // namespace
} // namespace quorvin::test
