// The board's picture tiles: every look a cell can have (a dark square with a highlighted
// black king, a light square, frame 3 of a crowning...) is composed once from up to three
// picture files into an 89 x 89 tile and kept until the cache is cleared. Composing means
// loading JPEG and GIF files and a floating-point blend, far too slow for every repaint;
// painting a cached tile is one copy.
#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <memory>

namespace quorvin {

inline constexpr int TileSize = 89;
inline constexpr int FrameCount = 8;

// One composed look: the 89 x 89 picture, and the same stretched to the cell size last asked
// for, so that repainting at an unchanged size costs no scaling.
class TTile {
  public:
    TTile();
    QImage Picture; // 24-bit colour (Format_RGB32)
    // The picture stretched to edge x edge pixels.
    const QImage& Scaled(int edge) const;

  private:
    mutable QImage ScaledPicture;
};

using TTileSlot = std::unique_ptr<TTile>;

// The blend mask: 89 x 89 weights 0..255, a disc that fades out over the rim of a piece.
const QImage& AlphaImage();

// Blends `layer` into `tile` through the mask. Per colour byte, with m = mask / 255:
// T := Round(T - m * (T - L)), in double precision, ties to even. Where the mask is 0 the tile
// keeps its pixel; at 255 the layer's pixel replaces it. The layer's alpha plays no part.
void MaskBlend(QImage& tile, const QImage& layer);
// The rounding MaskBlend uses: to the nearest integer, ties to even.
int RoundHalfEven(double value);

// Draws one picture file (a name under BoardPictureFolder(), or nothing when empty) onto the
// tile at (0, 0): opaque, transparent (a layer with an alpha channel leaves out its
// transparent pixels; one without leaves out the colour of its bottom-left pixel), or
// blended through the mask. Throws TPictureError when the file cannot be loaded.
void DrawLayer(QImage& tile, const QString& name, bool transparent, bool blend);

struct TTileCaches {
    std::array<TTileSlot, 2> EmptyTiles;                               // [highlighted]
    std::array<std::array<std::array<TTileSlot, 2>, 2>, 2> PieceTiles; // [side][kind][highlighted]
    TTileSlot LightTile;
    std::array<TTileSlot, 2> BlockedTiles;                       // [side]
    std::array<TTileSlot, FrameCount> ChangeTiles;               // [frame - 1]
    std::array<std::array<TTileSlot, 2>, FrameCount> CrownTiles; // [frame - 1][side]
    std::array<std::array<std::array<TTileSlot, 2>, 2>, FrameCount>
        ShrinkTiles; // [frame - 1][side][kind]

    // How many tiles have been composed since the program started; tests read it to see that
    // a cached look is reused.
    int ComposeCount = 0;

    // Forgets every tile.
    void Clear();
    // Composes the slot's tile unless it holds one already (the names are then ignored):
    // background opaque, middle transparent, top transparent or blended through the mask.
    // The new tile is in its slot before any layer is drawn, so a picture that fails to load
    // leaves it there as far as it had been drawn, until the cache is cleared.
    TTile& ComposeTile(TTileSlot& slot, const QString& background, const QString& middle,
                       const QString& top, bool blend);
};

} // namespace quorvin
