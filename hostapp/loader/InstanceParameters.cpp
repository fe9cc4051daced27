#include "hostapp/loader/InstanceParameters.h"

#include "hostapp/loader/LoaderErrors.h"

namespace hostapp {

namespace {

template <class T>
T As(const ParameterValue& value, const char* id) {
  if (const T* v = std::get_if<T>(&value)) return *v;
  throw ProcessInstanceError(std::string("parameter '") + id + "' is a " + ValueKindName(value));
}

std::u16string CellText(const CellValue& cell) {
  if (const auto* s = std::get_if<std::u16string>(&cell)) return *s;
  throw ProcessInstanceError("parameter 'targetItems' has a column that is not a string");
}

}  // namespace

InstanceParameters ReadInstanceParameters(const ProcessInstance& instance) {
  InstanceParameters p;
  const TableValue table = As<TableValue>(instance.Read("targetItems"), "targetItems");
  for (const TableRow& row : table) {
    if (row.size() != 2)
      throw ProcessInstanceError("parameter 'targetItems' does not have two columns");
    p.targetItems.emplace_back(CellText(row[0]), CellText(row[1]));
  }
  p.outputDirectory = As<std::u16string>(instance.Read("outputDirectory"), "outputDirectory");
  p.overwriteExistingFiles =
      As<bool>(instance.Read("overwriteExistingFiles"), "overwriteExistingFiles");
  p.useWeightPostfix = As<bool>(instance.Read("useWeightPostfix"), "useWeightPostfix");
  p.usePSFScaleSNR = As<bool>(instance.Read("usePSFScaleSNR"), "usePSFScaleSNR");
  p.version = As<double>(instance.Read("version"), "version");
  return p;
}

void WriteInstanceParameters(ProcessInstance& instance, const InstanceParameters& parameters) {
  TableValue table;
  table.reserve(parameters.targetItems.size());
  for (const auto& [target, output] : parameters.targetItems) table.push_back({target, output});
  instance.Write("targetItems", table);
  instance.Write("outputDirectory", parameters.outputDirectory);
  instance.Write("overwriteExistingFiles", parameters.overwriteExistingFiles);
  instance.Write("useWeightPostfix", parameters.useWeightPostfix);
}

}  // namespace hostapp
