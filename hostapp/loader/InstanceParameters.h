// The TRVXnml process's parameters as one host-side value, for the command
// line: read from and written to a ProcessInstance by parameter id.
#ifndef TRVX_HOSTAPP_LOADER_INSTANCEPARAMETERS_H
#define TRVX_HOSTAPP_LOADER_INSTANCEPARAMETERS_H

#include <string>
#include <utility>
#include <vector>

#include "hostapp/loader/ProcessInstance.h"

namespace hostapp {

struct InstanceParameters {
  // Rows of "targetItems": ("targetPath", "outputXnmlPath").
  std::vector<std::pair<std::u16string, std::u16string>> targetItems;
  std::u16string outputDirectory;
  bool overwriteExistingFiles = false;
  bool useWeightPostfix = true;
  bool usePSFScaleSNR = true;  // read-only in the process
  double version = 5.0;        // read-only in the process

  bool operator==(const InstanceParameters&) const = default;
};

// Throws ProcessInstanceError when a parameter is missing or of another
// type, or as ProcessInstance::Read does.
InstanceParameters ReadInstanceParameters(const ProcessInstance& instance);

// Writes the writable parameters (targets, directory, overwrite, weight
// postfix); the read-only ones are left as the instance has them.
void WriteInstanceParameters(ProcessInstance& instance, const InstanceParameters& parameters);

}  // namespace hostapp

#endif
