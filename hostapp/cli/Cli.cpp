#include <string>

#include "hostapp/cli/Commands.h"

namespace hostapp {

namespace {

const char kUsage[] =
    "usage: trvxnml COMMAND [ARGUMENTS]\n"
    "  sample DIR                   write a demo set of xnml_*.xisf images into DIR\n"
    "  convert [OPTIONS] TARGET...  convert xnml_*.xisf images into .xnml files\n"
    "      --output-dir DIR         directory for generated output names\n"
    "      --overwrite              replace existing output files\n"
    "      --no-weight-postfix      leave the weight postfix out of generated names\n"
    "      --instance FILE.json     start from an instance file\n"
    "      --console-log FILE       record the console text as the module sent it\n"
    "      --module PATH            module library to load\n"
    "  inspect FILE.xnml...         verify .xnml files and summarise their matrices\n"
    "  describe [--module PATH]     show what the module library defines\n";

}  // namespace

int RunTrvxnml(int argc, char** argv, std::ostream& out, std::ostream& err) {
  if (argc < 2) {
    err << kUsage;
    return kExitUsage;
  }
  std::string command = argv[1];
  Arguments args(argv + 2, argv + argc);
  if (command == "sample") return RunSample(args, out, err);
  if (command == "convert") return RunConvert(args, out, err);
  if (command == "inspect") return RunInspect(args, out, err);
  if (command == "describe") return RunDescribe(args, out, err);
  if (command == "help" || command == "--help" || command == "-h") {
    out << kUsage;
    return kExitOk;
  }
  err << "trvxnml: unknown command '" << command << "'\n" << kUsage;
  return kExitUsage;
}

}  // namespace hostapp
