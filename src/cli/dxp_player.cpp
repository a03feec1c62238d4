// The move choice of DXP games; see dxp_player.h.
#include "dxp_player.h"

#include "hub_notation.h"
#include "hub_search.h"

#include <stdexcept>

namespace quorvin::cli {

std::optional<TDxpEngine> FindDxpEngine(std::string_view name) {
    if (name == "classic") return TDxpEngine::Classic;
    if (name == "master") return TDxpEngine::Master;
    return std::nullopt;
}

int ChooseDxpMove(TGame& game, double moveTime, TDxpEngine engine) {
    static const THubBoard board(*FindPreset("international"));
    THubSearchRequest request;
    request.Level.Limit = THubLimit::MoveTime;
    request.Level.MoveTime = moveTime;
    switch (engine) {
    case TDxpEngine::Classic:
        break;
    case TDxpEngine::Master:
        // The master search plugs in here, as the Hub engine's "engine" parameter selects it.
        throw std::runtime_error("the master search is not part of this build");
    }
    THubSignals signals;
    const THubSearchResult found = RunHubSearch(game, board, request, signals, {});
    return board.FindMove(game.CurrentPosition(), found.Move);
}

} // namespace quorvin::cli
