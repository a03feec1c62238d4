// Tile composition and the blend; see tile_cache.h.
#include "tile_cache.h"

#include "app_resources.h"
#include "data_module.h"

#include <QPainter>

#include <cmath>
#include <stdexcept>

namespace quorvin {

TTile::TTile() : Picture(TileSize, TileSize, QImage::Format_RGB32) {
    Picture.fill(Qt::white);
}

const QImage& TTile::Scaled(int edge) const {
    if (edge == TileSize) return Picture;
    if (ScaledPicture.width() != edge)
        ScaledPicture = Picture.scaled(edge, edge, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return ScaledPicture;
}

const QImage& AlphaImage() {
    static const QImage mask = [] {
        InitAppResources();
        QImage image(QString::fromLatin1(Resource::AlphaImage));
        if (image.size() != QSize(TileSize, TileSize))
            throw std::runtime_error("The blend mask is missing from the program's resources");
        return image.convertToFormat(QImage::Format_Grayscale8);
    }();
    return mask;
}

int RoundHalfEven(double value) {
    // The default floating-point rounding mode rounds to nearest with ties to even.
    return static_cast<int>(std::nearbyint(value));
}

void MaskBlend(QImage& tile, const QImage& source) {
    const QImage& mask = AlphaImage();
    // The layer's colours as they are, transparent pixels included.
    const QImage layer = source.convertToFormat(QImage::Format_ARGB32);
    if (tile.format() != QImage::Format_RGB32) tile = tile.convertToFormat(QImage::Format_RGB32);
    static const std::array<double, 256> weight = [] {
        std::array<double, 256> w{};
        for (int i = 0; i < 256; ++i) w[std::size_t(i)] = i / 255.0;
        return w;
    }();
    const int width = std::min({TileSize, tile.width(), layer.width()});
    const int height = std::min({TileSize, tile.height(), layer.height()});
    for (int y = 0; y < height; ++y) {
        const uchar* m = mask.constScanLine(y);
        const auto* l = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        auto* t = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (m[x] == 0) continue;
            const double w = weight[m[x]];
            auto blend = [w](int tc, int lc) { return RoundHalfEven(tc - w * (tc - lc)); };
            t[x] = qRgb(blend(qRed(t[x]), qRed(l[x])), blend(qGreen(t[x]), qGreen(l[x])),
                        blend(qBlue(t[x]), qBlue(l[x])));
        }
    }
}

void DrawLayer(QImage& tile, const QString& name, bool transparent, bool blend) {
    if (name.isEmpty()) return;
    QImage layer;
    LoadPicture(layer, BoardPictureFolder() + name);
    if (layer.isNull()) return;
    if (blend) {
        MaskBlend(tile, layer);
        return;
    }
    if (!transparent) {
        layer = layer.convertToFormat(QImage::Format_RGB32);
    } else if (!layer.hasAlphaChannel()) {
        // A picture without transparency of its own: its bottom-left colour is see-through.
        layer = layer.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = layer.pixel(0, layer.height() - 1);
        for (int y = 0; y < layer.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
            for (int x = 0; x < layer.width(); ++x)
                if (line[x] == key) line[x] = 0;
        }
    }
    QPainter painter(&tile);
    painter.drawImage(0, 0, layer);
}

void TTileCaches::Clear() {
    for (auto& t : EmptyTiles) t.reset();
    for (auto& side : PieceTiles)
        for (auto& kind : side)
            for (auto& t : kind) t.reset();
    LightTile.reset();
    for (auto& t : BlockedTiles) t.reset();
    for (auto& t : ChangeTiles) t.reset();
    for (auto& frame : CrownTiles)
        for (auto& t : frame) t.reset();
    for (auto& frame : ShrinkTiles)
        for (auto& side : frame)
            for (auto& t : side) t.reset();
}

TTile& TTileCaches::ComposeTile(TTileSlot& slot, const QString& background, const QString& middle,
                                const QString& top, bool blend) {
    if (slot) return *slot;
    slot = std::make_unique<TTile>();
    ++ComposeCount;
    QImage& picture = slot->Picture;
    DrawLayer(picture, background, false, false);
    DrawLayer(picture, middle, true, false);
    DrawLayer(picture, top, true, blend);
    return *slot;
}

} // namespace quorvin
