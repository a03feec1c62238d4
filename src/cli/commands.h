// The commands of quorvin-cli. Each takes its arguments (after the command name), writes to
// out, and answers the process exit code.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quorvin::cli {

using TArgList = std::vector<std::string>;

int BoardCommand(const TArgList& args, std::ostream& out);
int PerftCommand(const TArgList& args, std::ostream& out);
int BenchCommand(const TArgList& args, std::ostream& out);
int ThinkCommand(const TArgList& args, std::ostream& out);
int SelfPlayCommand(const TArgList& args, std::ostream& out);
int FenCommand(const TArgList& args, std::ostream& out);
int MovesCommand(const TArgList& args, std::ostream& out);
int PdnCommand(const TArgList& args, std::ostream& out);
// Reads its commands from standard input.
int HubCommand(const TArgList& args, std::ostream& out);
// DamExchange games; what goes wrong with the other program is logged on err.
int DxpCommand(const TArgList& args, std::ostream& out, std::ostream& err);

// Runs the command named in args[0]; usage errors print a message to err and answer 2.
int RunCommand(const TArgList& args, std::ostream& out, std::ostream& err);

} // namespace quorvin::cli
