// The options that limit the master search on the command line (think, selfplay):
// --move-time S (seconds a move), --depth D and --nodes N.
#pragma once

#include "cli_args.h"
#include "master_search.h"

#include <set>
#include <string>

namespace quorvin::cli {

// The option names, added to a command's own.
std::set<std::string> MasterOptions(std::set<std::string> own);

// The limits the options give; without any of them, defaultMoveTimeMs a move. Throws
// TUsageError on a bad value.
TMasterLimits ReadMasterLimits(const TArgs& args, long long defaultMoveTimeMs);

// Whether any of the options is given.
bool HasMasterOptions(const TArgs& args);

} // namespace quorvin::cli
