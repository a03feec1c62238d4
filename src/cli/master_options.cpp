// The command line's limits of the master search; see master_options.h.
#include "master_options.h"

#include <cmath>
#include <cstdlib>

namespace quorvin::cli {

std::set<std::string> MasterOptions(std::set<std::string> own) {
    own.insert({"move-time", "depth", "nodes"});
    return own;
}

bool HasMasterOptions(const TArgs& args) {
    return args.Has("move-time") || args.Has("depth") || args.Has("nodes");
}

TMasterLimits ReadMasterLimits(const TArgs& args, long long defaultMoveTimeMs) {
    TMasterLimits limits;
    if (args.Has("move-time")) {
        const std::string text = args.Text("move-time", "");
        char* end = nullptr;
        const double seconds = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0' || !(seconds > 0.0 && seconds <= 86400.0))
            throw TUsageError("--move-time is a number of seconds above 0, not \"" + text + "\"");
        limits.MoveTimeMs = std::max(1LL, std::llround(seconds * 1000.0));
    }
    limits.Depth = static_cast<int>(args.Integer("depth", MasterMaxDepth, 1, MasterMaxDepth));
    limits.Nodes = args.Integer("nodes", 0, 1, 1000000000000LL);
    if (!HasMasterOptions(args)) limits.MoveTimeMs = defaultMoveTimeMs;
    return limits;
}

} // namespace quorvin::cli
