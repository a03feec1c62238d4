// Median-cut palette reduction; see quantize.h.
#include "quantize.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace quorvin::art {

namespace {

struct TColourCount {
    std::array<int, 3> C;
    long Count;
};

struct TBox {
    std::size_t Begin, End; // range in the colour list
    double Error = 0.0;     // sum of squared distances to the mean, weighted by count
    int Channel = 0;        // the channel of largest variance
    std::array<double, 3> Mean{};
};

void Measure(const std::vector<TColourCount>& colours, TBox& box) {
    std::array<double, 3> sum{}, sumSq{};
    double n = 0;
    for (std::size_t i = box.Begin; i < box.End; ++i) {
        const auto& c = colours[i];
        n += c.Count;
        for (int k = 0; k < 3; ++k) {
            sum[k] += double(c.C[k]) * c.Count;
            sumSq[k] += double(c.C[k]) * c.C[k] * c.Count;
        }
    }
    box.Error = 0.0;
    double widest = -1.0;
    for (int k = 0; k < 3; ++k) {
        box.Mean[k] = sum[k] / n;
        const double variance = sumSq[k] - sum[k] * sum[k] / n;
        box.Error += variance;
        if (variance > widest) {
            widest = variance;
            box.Channel = k;
        }
    }
    if (box.End - box.Begin < 2) box.Error = 0.0;
}

} // namespace

TQuantized Quantize(const QImage& source, const std::vector<bool>& opaque, int maxColors) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();

    std::unordered_map<QRgb, long> histogram;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (opaque[std::size_t(y) * w + x]) ++histogram[image.pixel(x, y) | 0xff000000u];

    std::vector<TColourCount> colours;
    colours.reserve(histogram.size());
    for (const auto& [rgb, count] : histogram)
        colours.push_back({{qRed(rgb), qGreen(rgb), qBlue(rgb)}, count});
    std::sort(colours.begin(), colours.end(),
              [](const TColourCount& a, const TColourCount& b) { return a.C < b.C; });

    std::vector<TBox> boxes;
    if (!colours.empty()) {
        TBox all{0, colours.size()};
        Measure(colours, all);
        boxes.push_back(all);
    }
    while (int(boxes.size()) < maxColors) {
        auto worst = std::max_element(boxes.begin(), boxes.end(), [](const TBox& a, const TBox& b) {
            return a.Error < b.Error;
        });
        if (worst == boxes.end() || worst->Error <= 0.0) break;
        TBox box = *worst;
        const int k = box.Channel;
        std::sort(colours.begin() + box.Begin, colours.begin() + box.End,
                  [k](const TColourCount& a, const TColourCount& b) { return a.C[k] < b.C[k]; });
        // Split where the running count passes half of the box, never leaving a side empty.
        long total = 0;
        for (std::size_t i = box.Begin; i < box.End; ++i) total += colours[i].Count;
        long running = 0;
        std::size_t cut = box.Begin + 1;
        for (std::size_t i = box.Begin; i < box.End - 1; ++i) {
            running += colours[i].Count;
            cut = i + 1;
            if (running * 2 >= total) break;
        }
        TBox low{box.Begin, cut}, high{cut, box.End};
        Measure(colours, low);
        Measure(colours, high);
        *worst = low;
        boxes.push_back(high);
    }

    TQuantized result;
    for (const TBox& box : boxes)
        result.Palette.push_back(
            qRgb(int(box.Mean[0] + 0.5), int(box.Mean[1] + 0.5), int(box.Mean[2] + 0.5)));
    if (result.Palette.empty()) result.Palette.push_back(qRgb(0, 0, 0));

    std::unordered_map<QRgb, std::uint8_t> nearest;
    auto indexOf = [&](QRgb rgb) {
        auto found = nearest.find(rgb);
        if (found != nearest.end()) return found->second;
        int best = 0;
        long bestDistance = -1;
        for (std::size_t i = 0; i < result.Palette.size(); ++i) {
            const QRgb p = result.Palette[i];
            const long dr = qRed(p) - qRed(rgb), dg = qGreen(p) - qGreen(rgb),
                       db = qBlue(p) - qBlue(rgb);
            const long distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                best = int(i);
            }
        }
        nearest.emplace(rgb, std::uint8_t(best));
        return std::uint8_t(best);
    };
    result.Indexes.assign(std::size_t(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (opaque[std::size_t(y) * w + x])
                result.Indexes[std::size_t(y) * w + x] = indexOf(image.pixel(x, y) | 0xff000000u);
    return result;
}

} // namespace quorvin::art
