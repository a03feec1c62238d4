// `quorvin-cli hub`: the engine as a Hub engine on standard input and output, for draughts
// GUIs, match tools and anything else that speaks the Hub protocol.
#include "cli_args.h"
#include "commands.h"
#include "hub_engine.h"
#include "mathematics.h"

#include <unistd.h>

namespace quorvin::cli {

int HubCommand(const TArgList& list, std::ostream& out) {
    const TArgs args(list, {}, {});
    SeedRandomFromClock();
    return RunHubEngine(STDIN_FILENO, out);
}

} // namespace quorvin::cli
