// The blend mask and MaskBlend on chosen pixels, tile composition from the picture files,
// reuse of composed tiles, forgetting them all, and a picture that fails to load.
#include "app_test_support.h"
#include "data_module.h"
#include "picture_error.h"
#include "tile_cache.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace quorvin::test {
namespace {

QImage Filled(QRgb colour, QImage::Format format = QImage::Format_RGB32) {
    QImage image(TileSize, TileSize, format);
    image.fill(colour);
    return image;
}

TEST(AlphaImage, IsADiscThatFadesOverTheRim) {
    const QImage& mask = AlphaImage();
    ASSERT_EQ(mask.size(), QSize(TileSize, TileSize));
    // The middle row from the left edge, and mirrored from the right edge.
    constexpr std::array<int, 9> rim{0, 0, 6, 33, 91, 164, 222, 249, 255};
    for (int x = 0; x < 9; ++x) {
        EXPECT_EQ(qGray(mask.pixel(x, 44)), rim[std::size_t(x)]) << "x = " << x;
        EXPECT_EQ(qGray(mask.pixel(88 - x, 44)), rim[std::size_t(x)]) << "x = " << 88 - x;
        EXPECT_EQ(qGray(mask.pixel(44, x)), rim[std::size_t(x)]) << "y = " << x;
    }
    EXPECT_EQ(qGray(mask.pixel(44, 44)), 255);
    EXPECT_EQ(qGray(mask.pixel(20, 20)), 255);
    for (QPoint corner :
         {QPoint(0, 0), QPoint(88, 0), QPoint(0, 88), QPoint(88, 88), QPoint(12, 12)})
        EXPECT_EQ(qGray(mask.pixel(corner)), 0);
}

TEST(MaskBlend, KeepsTheTileWhereTheMaskIsZeroAndTakesTheLayerAt255) {
    QImage tile = Filled(qRgb(200, 100, 50));
    // The layer's alpha plays no part: a fully transparent layer blends with its colours.
    const QImage layer = Filled(qRgba(10, 20, 30, 0), QImage::Format_ARGB32);
    MaskBlend(tile, layer);
    EXPECT_EQ(tile.pixel(0, 0), qRgb(200, 100, 50));
    EXPECT_EQ(tile.pixel(88, 88), qRgb(200, 100, 50));
    EXPECT_EQ(tile.pixel(44, 44), qRgb(10, 20, 30));
    // Mask 164 at (5, 44): 200 - 164/255 * 190 = 77.80, 100 - 164/255 * 80 = 48.55,
    // 50 - 164/255 * 20 = 37.14.
    EXPECT_EQ(tile.pixel(5, 44), qRgb(78, 49, 37));
}

TEST(MaskBlend, RoundsToTheNearestValue) {
    QImage tile = Filled(qRgb(200, 200, 200));
    MaskBlend(tile, Filled(qRgb(193, 193, 193)));
    // Mask 91 at (4, 44): 200 - 91/255 * 7 = 197.502, up; mask 164 at (5, 44): 195.498, down.
    EXPECT_EQ(qRed(tile.pixel(4, 44)), 198);
    EXPECT_EQ(qRed(tile.pixel(5, 44)), 195);
}

TEST(MaskBlend, RoundsTiesToEven) {
    // mask / 255 times a byte difference never lands on exactly one half, so the tie rule
    // shows only in the rounding MaskBlend uses.
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(254.5), 254);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
}

class TileCacheTest : public testing::Test {
  protected:
    void SetUp() override { ResetApp(); }
    void TearDown() override { OverrideProgramFolder(BuildFolder()); }
    TTileCaches Caches;
};

TEST_F(TileCacheTest, ASecondLookUpComposesNothing) {
    const int before = Caches.ComposeCount;
    TTile& first = Caches.ComposeTile(Caches.LightTile, "UnUsed1.jpg", {}, {}, false);
    EXPECT_EQ(Caches.ComposeCount, before + 1);
    // Once composed, the slot answers its tile whatever names are asked for.
    TTile& second = Caches.ComposeTile(Caches.LightTile, "UnUsed3.jpg", "Select0.gif", {}, false);
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(Caches.ComposeCount, before + 1);
    EXPECT_EQ(DifferingPixels(second.Picture, BoardPicture("UnUsed1.jpg")), 0);
}

TEST_F(TileCacheTest, TheMarkIsDrawnTransparentlyOverTheSquare) {
    TTile& tile = Caches.ComposeTile(Caches.EmptyTiles[1], "Used2.jpg", "Select0.gif", {}, false);
    const QImage dark = BoardPicture("Used2.jpg"), mark = BoardPicture("Select0.gif");
    ASSERT_EQ(qAlpha(mark.pixel(2, 44)), 255);
    ASSERT_EQ(qAlpha(mark.pixel(44, 44)), 0);
    EXPECT_EQ(tile.Picture.pixel(2, 44), mark.pixel(2, 44));
    EXPECT_EQ(tile.Picture.pixel(44, 44), dark.pixel(44, 44));
}

TEST_F(TileCacheTest, APieceIsBlendedThroughTheMask) {
    TTile& tile =
        Caches.ComposeTile(Caches.PieceTiles[1][1][0], "Used0.jpg", {}, "BlackKing.gif", true);
    QImage expected = BoardPicture("Used0.jpg").convertToFormat(QImage::Format_RGB32);
    MaskBlend(expected, BoardPicture("BlackKing.gif"));
    EXPECT_EQ(DifferingPixels(tile.Picture, expected), 0);
    EXPECT_EQ(tile.Picture.pixel(0, 0), BoardPicture("Used0.jpg").pixel(0, 0));
}

TEST_F(TileCacheTest, ClearForgetsEveryTile) {
    std::vector<TTileSlot*> allSlots;
    auto each = [&](auto& container, auto& self) -> void {
        if constexpr (std::is_same_v<std::decay_t<decltype(container)>, TTileSlot>)
            allSlots.push_back(&container);
        else
            for (auto& inner : container) self(inner, self);
    };
    each(Caches.EmptyTiles, each);
    each(Caches.PieceTiles, each);
    each(Caches.LightTile, each);
    each(Caches.BlockedTiles, each);
    each(Caches.ChangeTiles, each);
    each(Caches.CrownTiles, each);
    each(Caches.ShrinkTiles, each);
    ASSERT_EQ(allSlots.size(), 2u + 8u + 1u + 2u + 8u + 16u + 32u);
    for (TTileSlot* slot : allSlots) Caches.ComposeTile(*slot, "Used0.jpg", {}, {}, false);
    for (TTileSlot* slot : allSlots) ASSERT_TRUE(*slot);
    Caches.Clear();
    for (TTileSlot* slot : allSlots) EXPECT_FALSE(*slot);
}

TEST_F(TileCacheTest, AMissingPictureRaisesAnErrorAndLeavesTheTileInItsSlot) {
    QTemporaryDir empty;
    QDir(empty.path()).mkpath("Images/Board");
    OverrideProgramFolder(empty.path());
    try {
        Caches.ComposeTile(Caches.EmptyTiles[0], "Used3.jpg", {}, {}, false);
        ADD_FAILURE() << "no error";
    } catch (const TPictureError& e) {
        EXPECT_EQ(e.FileName, empty.path() + "/Images/Board/Used3.jpg");
    }
    // The tile stays as far as it was drawn, until the cache is cleared.
    EXPECT_TRUE(Caches.EmptyTiles[0]);
    EXPECT_NO_THROW(Caches.ComposeTile(Caches.EmptyTiles[0], "Used3.jpg", {}, {}, false));
    Caches.Clear();
    EXPECT_THROW(Caches.ComposeTile(Caches.EmptyTiles[0], "Used3.jpg", {}, {}, false),
                 TPictureError);
}

TEST(Tile, IsStretchedSmoothlyToTheCell) {
    TTile tile;
    tile.Picture.fill(qRgb(10, 200, 30));
    EXPECT_EQ(tile.Scaled(40).size(), QSize(40, 40));
    EXPECT_EQ(tile.Scaled(120).size(), QSize(120, 120));
    EXPECT_EQ(tile.Scaled(120).pixel(60, 60), qRgb(10, 200, 30));
    EXPECT_EQ(&tile.Scaled(TileSize), &tile.Picture);
}

} // namespace
} // namespace quorvin::test
