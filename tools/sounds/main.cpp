// quorvin_sounds: synthesises the six sounds of the game and writes them as 16-bit mono WAV
// files into the given folder (data/Sound). Each sound is built from a few decaying partials,
// so the set is small, soft and easy to tell apart: a wooden tock for a move, a double knock
// for a capture, a two-note chime for advice, a rising call for a new game, a bright arpeggio
// for a victory and a falling minor line for a defeat. Run it after changing a recipe and
// commit the output.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int SampleRate = 22050;

using TSamples = std::vector<double>;

// One struck tone: a partial series with its own decay, starting at `start` seconds.
struct TNote {
    double Start;     // seconds
    double Frequency; // Hz of the fundamental
    double Length;    // seconds until it has faded out
    double Level;     // peak amplitude of the fundamental, 0..1
};

// Relative level and decay speed of the partials of a struck, bell-like tone.
struct TPartial {
    double Ratio;
    double Level;
    double Decay; // multiplies the note's decay rate
};

constexpr std::array<TPartial, 4> BellPartials{{
    {1.0, 1.0, 1.0},
    {2.0, 0.35, 1.8},
    {3.0, 0.12, 2.6},
    {4.2, 0.05, 4.0},
}};

// A short knock has almost no sustain and an inharmonic body.
constexpr std::array<TPartial, 3> WoodPartials{{
    {1.0, 1.0, 1.0},
    {2.76, 0.45, 1.7},
    {5.4, 0.2, 2.8},
}};

template <std::size_t N>
void AddNote(TSamples& out, const TNote& note, const std::array<TPartial, N>& partials,
             double pitchDrop = 0.0) {
    const int first = static_cast<int>(note.Start * SampleRate);
    const int count = static_cast<int>(note.Length * SampleRate);
    if (static_cast<int>(out.size()) < first + count) out.resize(std::size_t(first + count), 0.0);
    // The envelope falls to about -60 dB over the note's length.
    const double rate = 6.9 / note.Length;
    const double attack = 0.004;
    for (const TPartial& p : partials) {
        double phase = 0.0;
        for (int i = 0; i < count; ++i) {
            const double t = double(i) / SampleRate;
            // A knock starts slightly sharp and settles, which sounds like wood, not a beep.
            const double f = note.Frequency * p.Ratio * (1.0 + pitchDrop * std::exp(-t * 60.0));
            phase += 2.0 * std::numbers::pi * f / SampleRate;
            const double rise = std::min(1.0, t / attack);
            const double envelope = rise * std::exp(-t * rate * p.Decay);
            out[std::size_t(first + i)] += note.Level * p.Level * envelope * std::sin(phase);
        }
    }
}

// A puff of filtered noise for the contact of a piece with the board.
void AddClick(TSamples& out, double start, double length, double level, std::uint32_t seed) {
    const int first = static_cast<int>(start * SampleRate);
    const int count = static_cast<int>(length * SampleRate);
    if (static_cast<int>(out.size()) < first + count) out.resize(std::size_t(first + count), 0.0);
    double low = 0.0;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double white = (double(seed >> 8) / double(1u << 24)) * 2.0 - 1.0;
        low += 0.35 * (white - low);
        const double t = double(i) / SampleRate;
        out[std::size_t(first + i)] += level * low * std::exp(-t * 6.9 / length);
    }
}

double Note(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

TSamples MoveSound() {
    TSamples s;
    AddClick(s, 0.0, 0.03, 0.35, 7);
    AddNote(s, {0.0, 520.0, 0.11, 0.55}, WoodPartials, 0.08);
    return s;
}

TSamples CaptureSound() {
    TSamples s;
    AddClick(s, 0.0, 0.03, 0.4, 11);
    AddNote(s, {0.0, 330.0, 0.12, 0.55}, WoodPartials, 0.1);
    AddClick(s, 0.085, 0.03, 0.35, 13);
    AddNote(s, {0.085, 440.0, 0.16, 0.5}, WoodPartials, 0.1);
    return s;
}

TSamples AdviceSound() {
    TSamples s;
    AddNote(s, {0.0, Note(7), 0.45, 0.35}, BellPartials);  // E5
    AddNote(s, {0.12, Note(12), 0.6, 0.35}, BellPartials); // A5
    return s;
}

TSamples StartSound() {
    TSamples s;
    AddNote(s, {0.0, Note(3), 0.5, 0.3}, BellPartials);   // C5
    AddNote(s, {0.1, Note(7), 0.5, 0.3}, BellPartials);   // E5
    AddNote(s, {0.2, Note(10), 0.7, 0.32}, BellPartials); // G5
    return s;
}

TSamples VictorySound() {
    TSamples s;
    const std::array<int, 4> steps{3, 7, 10, 15}; // C5 E5 G5 C6
    for (std::size_t i = 0; i < steps.size(); ++i)
        AddNote(s, {0.11 * double(i), Note(steps[i]), i + 1 == steps.size() ? 1.1 : 0.5, 0.28},
                BellPartials);
    // The final chord rings under the top note.
    AddNote(s, {0.33, Note(3), 1.0, 0.14}, BellPartials);
    AddNote(s, {0.33, Note(7), 1.0, 0.12}, BellPartials);
    return s;
}

TSamples DefeatSound() {
    TSamples s;
    const std::array<int, 3> steps{-2, -6, -9}; // G4 Eb4 C4
    for (std::size_t i = 0; i < steps.size(); ++i)
        AddNote(s, {0.22 * double(i), Note(steps[i]), i + 1 == steps.size() ? 1.0 : 0.55, 0.32},
                BellPartials);
    return s;
}

void WriteWav(const std::string& fileName, TSamples samples) {
    // A few milliseconds of fade at the end, and the peak brought to a comfortable level.
    const double peak = std::max(
        1e-9, std::abs(*std::max_element(samples.begin(), samples.end(), [](double a, double b) {
            return std::abs(a) < std::abs(b);
        })));
    const double gain = 0.7 / peak;
    const std::size_t fade = std::min<std::size_t>(samples.size(), SampleRate / 200);
    for (std::size_t i = 0; i < fade; ++i)
        samples[samples.size() - 1 - i] *= double(i) / double(fade);

    std::vector<std::int16_t> pcm(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        pcm[i] = static_cast<std::int16_t>(
            std::lround(std::clamp(samples[i] * gain, -1.0, 1.0) * 32767.0));

    std::ofstream out(fileName, std::ios::binary);
    if (!out) throw std::runtime_error("cannot write " + fileName);
    auto u32 = [&](std::uint32_t v) {
        const std::array<char, 4> b{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
        out.write(b.data(), 4);
    };
    auto u16 = [&](std::uint16_t v) {
        const std::array<char, 2> b{char(v), char(v >> 8)};
        out.write(b.data(), 2);
    };
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(SampleRate);
    u32(SampleRate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    for (std::int16_t v : pcm) u16(static_cast<std::uint16_t>(v));
    if (!out) throw std::runtime_error("cannot write " + fileName);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvin_sounds <folder>\n");
        return 2;
    }
    try {
        const std::string folder = std::string(argv[1]) + "/";
        WriteWav(folder + "Move.wav", MoveSound());
        WriteWav(folder + "Capture.wav", CaptureSound());
        WriteWav(folder + "Advice.wav", AdviceSound());
        WriteWav(folder + "Start.wav", StartSound());
        WriteWav(folder + "Victory.wav", VictorySound());
        WriteWav(folder + "Defeat.wav", DefeatSound());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvin_sounds: %s\n", e.what());
        return 1;
    }
    return 0;
}
