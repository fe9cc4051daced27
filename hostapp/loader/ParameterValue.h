// Values of process parameters as the host holds them: a double, a boolean,
// a UTF-16 string, or a table of rows whose cells are one of the first three,
// in column order.
#ifndef TRVX_HOSTAPP_LOADER_PARAMETERVALUE_H
#define TRVX_HOSTAPP_LOADER_PARAMETERVALUE_H

#include <string>
#include <variant>
#include <vector>

namespace hostapp {

using CellValue = std::variant<double, bool, std::u16string>;
using TableRow = std::vector<CellValue>;
using TableValue = std::vector<TableRow>;
using ParameterValue = std::variant<double, bool, std::u16string, TableValue>;

// "double", "boolean", "string" or "table".
inline const char* ValueKindName(const ParameterValue& value) {
  static const char* const names[] = {"double", "boolean", "string", "table"};
  return names[value.index()];
}

}  // namespace hostapp

#endif
