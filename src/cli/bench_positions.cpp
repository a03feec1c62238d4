// The bench's positions; see bench_positions.h.
#include "bench_positions.h"
#include "game_settings.h"

#include "position_file.h"
#include "rules.h"

#include <algorithm>
#include <filesystem>
#include <span>
#include <unistd.h>

namespace quorvin::cli {

namespace fs = std::filesystem;

std::string InstalledPositionsFolder(const std::string& executableFolder) {
    const fs::path folder(executableFolder);
    for (const fs::path& candidate :
         {folder / "Positions", folder / ".." / "share" / "quorvin" / "Positions"}) {
        std::error_code error;
        if (fs::is_directory(candidate, error)) return candidate.lexically_normal().string();
    }
    return {};
}

std::string PositionsFolder() {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::string folder = InstalledPositionsFolder(exe.parent_path().string());
        if (!folder.empty()) return folder;
    }
#ifdef QUORVIN_SOURCE_DIR
    return std::string(QUORVIN_SOURCE_DIR) + "/data/Positions";
#else
    return "Positions";
#endif
}

std::vector<TBenchPosition> BenchPositions() {
    std::vector<TBenchPosition> list;
    // The later families' presets stay out, so that the signature keeps its meaning.
    for (const TPreset& preset : std::span(Presets).first<ClassicPresetCount>())
        list.push_back({std::string(preset.Name), [preset] {
                            ApplyBoard(preset.Rules, preset.Rows, preset.Files, preset.Coloring);
                            return TGame(preset.Rules);
                        }});
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(PositionsFolder(), error))
        if (entry.path().extension() == ".qvp") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files)
        list.push_back({file.stem().string(),
                        [file] { return ApplyPositionFile(ReadPositionFile(file.string())); }});
    return list;
}

std::string MoveName(const TPosition& p, int index) {
    const TMove m = p.Moves.GetMove(index);
    if (m.CaptureCount == 0) return std::to_string(m.From) + "-" + std::to_string(m.To);
    std::string text = std::to_string(m.From);
    for (int k = 1; k <= m.LastIndex; ++k) text.append("x").append(std::to_string(m.Path[k]));
    return text;
}

} // namespace quorvin::cli
