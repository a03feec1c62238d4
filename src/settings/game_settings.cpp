// The settings turned into the engine's inputs; see game_settings.h.
#include "game_settings.h"

namespace quorvin {

void ApplyBoard(TRules rules, int rows, int files, bool coloring) {
    TSettings& s = Settings();
    s.Set(TSetting::Rules, static_cast<int>(rules));
    s.Set(TSetting::Rows, rows);
    s.Set(TSetting::Files, files);
    s.Set(TSetting::Coloring, coloring ? 1 : 0);
    BuildGeometryFromSettings();
}

void BuildGeometryFromSettings() {
    const TSettings& s = Settings();
    BuildGeometry(s.Rows(), s.Files(), s.ColoringFlag());
}

TGame ApplyPositionFile(const TPositionFile& file) {
    ApplyBoard(file.Rules, file.Rows, file.Files, file.Coloring);
    return GameOfPositionFile(file, Settings().GameOptions());
}

TThinkRequest LevelForSideToMove(const TGame& game) {
    const TSettings& s = Settings();
    TThinkRequest request;
    if (game.ComputerToMove()) {
        request.Level = s.Get(TSetting::OpponentLevel);
        request.Disposition = s.Checked(TSetting::OpponentDisposition);
    } else {
        request.Level = s.Get(TSetting::HinterLevel);
        request.Disposition = s.Checked(TSetting::HinterDisposition);
    }
    return request;
}

TNotation NotationForSettings() {
    const TSettings& s = Settings();
    return TNotation::ForBoard(s.Rules(), s.Rows(), s.Files(), s.Checked(TSetting::Coloring));
}

int Orientation() {
    return Settings().Checked(TSetting::WhiteTop) ? 0 : 1;
}

} // namespace quorvin
