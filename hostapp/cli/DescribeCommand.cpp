#include "hostapp/cli/Commands.h"
#include "hostapp/loader/LoaderErrors.h"
#include "hostapp/loader/ModuleDescription.h"
#include "hostapp/loader/ModuleLoader.h"

namespace hostapp {

int RunDescribe(const Arguments& args, std::ostream& out, std::ostream& err) {
  std::string path;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--module" && i + 1 < args.size()) {
      path = args[++i];
    } else {
      err << "usage: trvxnml describe [--module PATH]\n";
      return kExitUsage;
    }
  }
  try {
    std::unique_ptr<LoadedModule> module = LoadedModule::Load(path.empty() ? DefaultModulePath() : path);
    DescribeModule(*module, out);
  } catch (const ModuleLoadError& e) {
    err << "trvxnml describe: " << e.what() << "\n";
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace hostapp
