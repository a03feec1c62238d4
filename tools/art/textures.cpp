// Procedural square pictures; see textures.h. Every picture is a function of the pixel
// position evaluated with supersampling; the seeds are fixed so the art is reproducible.
#include "textures.h"

#include "noise.h"
#include "paint_util.h"

#include <cmath>

namespace quorvin::art {

namespace {

constexpr int Size = 89;
constexpr double Pi = 3.14159265358979323846;

// A narrow bevel that lifts each square a little off the board.
double Bevel(double x, double y, double width, double strength) {
    const double left = 1 - SmoothStep(0, width, x), top = 1 - SmoothStep(0, width, y);
    const double right = 1 - SmoothStep(0, width, Size - x);
    const double bottom = 1 - SmoothStep(0, width, Size - y);
    return 1 + strength * (std::max(left, top) - std::max(right, bottom));
}

TRgb BrushedMetal(double x, double y, bool dark) {
    const TNoise noise(dark ? 11 : 12);
    const TRgb base = dark ? TRgb{66, 76, 94} : TRgb{198, 202, 208};
    // Long streaks along the rows, finer scratches on top of them.
    const double streaks = noise.Fractal(x * 0.035, y * 0.9, 4) - 0.5;
    const double scratches = noise.At(x * 0.12, y * 2.7) - 0.5;
    // A broad anisotropic sheen across the brushing.
    const double band = std::exp(-std::pow((x - 24 - 0.35 * y) / 20.0, 2));
    const double band2 = std::exp(-std::pow((x - 78 - 0.35 * y) / 12.0, 2));
    double k = 1 + 0.16 * streaks + 0.08 * scratches + 0.14 * band + 0.07 * band2;
    k *= 1.0 - 0.10 * (y / Size);
    k *= Bevel(x, y, 2.6, dark ? 0.45 : 0.22);
    return base * k;
}

// Growth rings of a quarter-sawn board; `across` runs across the grain.
TRgb WoodGrain(double along, double across, const TNoise& noise, const TRgb& early,
               const TRgb& late, double ringsPerPixel, double figure) {
    const double warp = 1.3 * noise.Fractal(across * 0.02, along * 0.006, 3) +
                        0.25 * noise.At(across * 0.09, along * 0.03);
    const double t = across * ringsPerPixel + warp;
    const double phase = t - std::floor(t);
    // Late wood is a narrow dark band at the end of every ring.
    const double ring = SmoothStep(0.62, 0.9, phase) * (1 - SmoothStep(0.9, 1.0, phase));
    TRgb c = Mix(early, late, 0.75 * ring);
    // Fibres and pores along the grain.
    const double fibre = noise.At(across * 1.3, along * 0.06) - 0.5;
    const double pores = noise.At(across * 0.9, along * 0.25);
    c = c * (1 + 0.09 * fibre - (pores > 0.82 ? 0.10 * (pores - 0.82) / 0.18 : 0));
    // Broad light and dark ribbons where the grain twists.
    const double ribbon = std::sin(across * 0.05 + 3.0 * noise.At(along * 0.01, across * 0.01));
    return c * (1 + figure * ribbon);
}

TRgb Oak(double x, double y, bool dark) {
    const TNoise noise(dark ? 21 : 22);
    // Light and dark squares are cut with the grain at right angles, as on an inlaid board.
    const double along = dark ? x : y, across = dark ? y : x;
    const TRgb early = dark ? TRgb{150, 98, 52} : TRgb{228, 198, 150};
    const TRgb late = dark ? TRgb{102, 60, 28} : TRgb{196, 158, 106};
    TRgb c = WoodGrain(along, across + (dark ? 40 : 0), noise, early, late, 0.11, 0.03);
    // Oak's silver figure: short pale flecks across the grain.
    const double fleck = noise.At(across * 0.35, along * 0.07);
    if (fleck > 0.78) c = Mix(c, c * 1.12, (fleck - 0.78) / 0.22);
    return c * Bevel(x, y, 1.6, 0.10);
}

TRgb Marble(double x, double y, bool dark) {
    const TNoise noise(dark ? 31 : 32);
    const TRgb base = dark ? TRgb{30, 84, 64} : TRgb{238, 234, 226};
    const TRgb cloud = dark ? TRgb{16, 48, 36} : TRgb{214, 210, 204};
    const TRgb vein = dark ? TRgb{176, 210, 190} : TRgb{112, 112, 120};
    const double clouds = noise.Fractal(x * 0.03, y * 0.03, 5);
    TRgb c = Mix(base, cloud, SmoothStep(0.35, 0.75, clouds));
    // Veins: the zero lines of a stripe pattern bent by smooth noise, so they flow rather
    // than crack; a second, fainter set crosses the first.
    const double warp = noise.Fractal(x * 0.012, y * 0.012, 5);
    const double stripe = std::sin(x * 0.05 + y * 0.08 + 4.5 * warp);
    const double veins = std::pow(1 - std::fabs(stripe), dark ? 18.0 : 14.0);
    const double warp2 = noise.Fractal(x * 0.02 + 40, y * 0.02 + 40, 4);
    const double fine = std::pow(1 - std::fabs(std::sin(x * 0.07 - y * 0.03 + 5.0 * warp2)), 40.0);
    c = Mix(c, vein, std::min(1.0, 0.75 * veins + 0.3 * fine));
    // Polish: a soft reflection of a window towards the upper left.
    const double reflection = std::exp(-std::pow((x + y - 50) / 30.0, 2));
    const double gloss = 1 + 0.06 * (1 - (x + y) / (2.0 * Size)) + 0.06 * reflection;
    return c * gloss * Bevel(x, y, 1.4, 0.08);
}

TRgb Mahogany(double x, double y, bool dark) {
    const TNoise noise(dark ? 41 : 42);
    const double along = dark ? y : x, across = dark ? x : y;
    const TRgb early = dark ? TRgb{124, 44, 30} : TRgb{220, 168, 126};
    const TRgb late = dark ? TRgb{78, 22, 14} : TRgb{186, 126, 90};
    TRgb c = WoodGrain(along, across + (dark ? 0 : 25), noise, early, late, 0.06, 0.07);
    // A varnished finish: a soft highlight running along the grain.
    const double sheen = std::exp(-std::pow((across - 30) / 18.0, 2));
    return c * (1 + 0.10 * sheen) * Bevel(x, y, 1.6, 0.10);
}

TRgb Cloth(double x, double y, bool dark) {
    const TNoise noise(dark ? 51 : 52);
    const TRgb warpColour = dark ? TRgb{40, 66, 132} : TRgb{234, 222, 192};
    const TRgb weftColour = dark ? TRgb{32, 54, 112} : TRgb{218, 204, 172};
    constexpr double pitch = Size / 13.0; // threads per square, so squares tile seamlessly
    const double gx = x / pitch, gy = y / pitch;
    const int ix = int(std::floor(gx)), iy = int(std::floor(gy));
    const double fx = gx - ix, fy = gy - iy;
    // Plain weave: warp over weft on alternate crossings.
    const bool warpOnTop = ((ix + iy) & 1) == 0;
    const double acrossThread = warpOnTop ? fx : fy, alongThread = warpOnTop ? fy : fx;
    const int thread = warpOnTop ? ix : iy;
    const TRgb colour = warpOnTop ? warpColour : weftColour;
    // A thread is round: lit in its middle, shaded at its sides and where it dips under.
    const double round = std::sin(Pi * std::clamp((acrossThread - 0.06) / 0.88, 0.0, 1.0));
    const double dip = 0.72 + 0.28 * std::sin(Pi * alongThread);
    const double gap =
        SmoothStep(0.0, 0.08, acrossThread) * SmoothStep(0.0, 0.08, 1 - acrossThread);
    const double threadTone = 1 + 0.07 * (noise.Lattice(thread, warpOnTop ? 1 : 2) - 0.5);
    const double fibre = 1 + 0.10 * (noise.At(x * 0.9, y * 0.9) - 0.5);
    double k = (0.55 + 0.5 * round) * dip * threadTone * fibre;
    k = k * (dark ? 0.45 + 0.55 * gap : 0.7 + 0.3 * gap);
    // Slight unevenness of the dye.
    k *= 1 + 0.08 * (noise.Fractal(x * 0.03, y * 0.03, 3) - 0.5);
    return dark ? colour * (0.3 + 0.85 * k) : colour * (0.6 + 0.45 * k);
}

} // namespace

QImage MahoganyPanel(int width, int height) {
    const TNoise noise(47);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(
                x, y,
                WoodGrain(x * 0.5, y, noise, {118, 42, 28}, {70, 20, 12}, 0.05, 0.08).ToQRgb());
    return image;
}

QImage SquarePicture(int set, bool dark) {
    switch (set) {
    case 0:
        return RenderPixels(Size, 3, [&](double x, double y) { return BrushedMetal(x, y, dark); });
    case 1:
        return RenderPixels(Size, 3, [&](double x, double y) { return Oak(x, y, dark); });
    case 2:
        return RenderPixels(Size, 3, [&](double x, double y) { return Marble(x, y, dark); });
    case 3:
        return RenderPixels(Size, 3, [&](double x, double y) { return Mahogany(x, y, dark); });
    default:
        return RenderPixels(Size, 3, [&](double x, double y) { return Cloth(x, y, dark); });
    }
}

} // namespace quorvin::art
