// Runs one quorvin-cli command in-process and keeps its exit code and both outputs, for the
// command-line tests.
#pragma once

#include "commands.h"

#include <sstream>
#include <string>

namespace quorvin::cli::test {

struct TRun {
    int Code;
    std::string Out, Err;
};

inline TRun RunCli(const TArgList& args) {
    std::ostringstream out, err;
    const int code = RunCommand(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace quorvin::cli::test
