// The move choice of DXP games; see dxp_player.h.
#include "dxp_player.h"

#include "hub_master.h"
#include "hub_notation.h"
#include "hub_search.h"

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
    THubSignals signals;
    THubSearchResult found;
    switch (engine) {
    case TDxpEngine::Classic:
        found = RunHubSearch(game, board, request, signals, {});
        break;
    case TDxpEngine::Master: {
        // As the Hub engine's "engine" parameter selects it; its table serves every game.
        static TMasterSearch master;
        master.SetContempt(MasterContempt);
        found = RunHubMasterSearch(master, game, board, request, signals, {});
        break;
    }
    }
    return board.FindMove(game.CurrentPosition(), found.Move);
}

} // namespace quorvin::cli
