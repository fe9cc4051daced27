#include <exception>

#include "hostapp/cli/Commands.h"
#include "hostapp/sample/SampleSet.h"

namespace hostapp {

int RunSample(const Arguments& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: trvxnml sample DIR\n";
    return kExitUsage;
  }
  try {
    for (const std::string& path : WriteSampleSet(args[0])) out << path << "\n";
  } catch (const std::exception& e) {
    err << args[0] << ": cannot write the sample set: " << e.what() << "\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace hostapp
