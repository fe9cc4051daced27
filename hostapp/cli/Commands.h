// The subcommands of `trvxnml`. Each takes its own arguments (without the
// command name), writes results to `out` and one line per problem to `err`,
// and returns the process exit status.
#ifndef TRVX_HOSTAPP_CLI_COMMANDS_H
#define TRVX_HOSTAPP_CLI_COMMANDS_H

#include <ostream>
#include <string>
#include <vector>

namespace hostapp {

using Arguments = std::vector<std::string>;

// Exit statuses shared by the commands.
enum ExitStatus { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

int RunSample(const Arguments& args, std::ostream& out, std::ostream& err);
int RunConvert(const Arguments& args, std::ostream& out, std::ostream& err);
int RunInspect(const Arguments& args, std::ostream& out, std::ostream& err);
int RunDescribe(const Arguments& args, std::ostream& out, std::ostream& err);

// Dispatches argv to a subcommand; prints usage for none or an unknown one.
int RunTrvxnml(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace hostapp

#endif
