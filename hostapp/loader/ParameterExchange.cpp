#include "hostapp/loader/ParameterExchange.h"

#include <cstdint>
#include <cstring>

#include "hostapp/loader/LoaderErrors.h"
#include "hostapp/services/TextConversion.h"

namespace hostapp {

namespace {

[[noreturn]] void Fail(const ParameterDefinition& p, const std::string& what) {
  throw ProcessInstanceError("parameter '" + p.id + "': " + what);
}

std::string RowText(api_size row) { return " (row " + std::to_string(row) + ")"; }

// Locks the parameter's storage; the unlock routine, when registered, is
// called when the guard ends.
class LockGuard {
 public:
  LockGuard(const ParameterDefinition& p, api_handle instance, api_size row)
      : p_(p), instance_(instance), row_(row) {
    if (p.lock == nullptr) Fail(p, "no lock routine");
    address_ = p.lock(instance, p.handle, row);
  }
  ~LockGuard() {
    if (p_.unlock != nullptr) p_.unlock(instance_, p_.handle, row_);
  }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;

  void* Address() const { return address_; }
  void* Required() const {
    if (address_ == nullptr) Fail(p_, "the lock routine returned no storage" + RowText(row_));
    return address_;
  }

 private:
  const ParameterDefinition& p_;
  api_handle instance_;
  api_size row_;
  void* address_ = nullptr;
};

api_size Length(const ParameterDefinition& p, api_handle instance, api_size row) {
  if (p.length == nullptr) Fail(p, "no length query routine");
  return p.length(instance, p.handle, row);
}

void Allocate(const ParameterDefinition& p, api_handle instance, api_size length, api_size row) {
  if (p.allocation == nullptr) Fail(p, "no allocation routine");
  if (p.allocation(length, instance, p.handle, row) == 0)
    Fail(p, "the module refused to allocate " + std::to_string(length) + RowText(row));
}

void Validate(const ParameterDefinition& p, api_handle instance, const void* value, api_size row) {
  if (p.validation != nullptr && p.validation(value, instance, p.handle, row) == 0)
    Fail(p, "the module refused the value" + RowText(row));
}

CellValue ReadCell(const ParameterDefinition& p, api_handle instance, api_size row) {
  switch (p.typeCode) {
    case API_PARTYPE_DOUBLE: {
      LockGuard lock(p, instance, row);
      double v;
      std::memcpy(&v, lock.Required(), sizeof v);
      return v;
    }
    case API_PARTYPE_BOOLEAN: {
      LockGuard lock(p, instance, row);
      int32_t v;
      std::memcpy(&v, lock.Required(), sizeof v);
      return v != 0;
    }
    case API_PARTYPE_STRING: {
      const api_size n = Length(p, instance, row);
      LockGuard lock(p, instance, row);
      if (n == 0) return std::u16string();
      const auto* units = static_cast<const char16_t*>(lock.Required());
      return std::u16string(units, units + n);
    }
    default: Fail(p, "cannot read a " + ParameterTypeName(p.typeCode) + " value");
  }
}

void CheckString(const ParameterDefinition& p, const std::u16string& s, api_size row) {
  if (p.stringLengthLimits) {
    auto [lo, hi] = *p.stringLengthLimits;
    if (s.size() < lo || (hi != 0 && s.size() > hi))
      Fail(p, "length " + std::to_string(s.size()) + " outside the allowed range" + RowText(row));
  }
  if (p.allowedCharacters && !p.allowedCharacters->empty())
    for (char16_t c : s)
      if (p.allowedCharacters->find(c) == std::u16string::npos)
        Fail(p,
             "character '" + Utf16ToUtf8(std::u16string(1, c)) + "' is not allowed" + RowText(row));
}

void WriteCell(const ParameterDefinition& p, api_handle instance, api_size row,
               const CellValue& value) {
  switch (p.typeCode) {
    case API_PARTYPE_DOUBLE: {
      const double* v = std::get_if<double>(&value);
      if (v == nullptr) Fail(p, "a double value is needed" + RowText(row));
      if (p.numericRange && (*v < p.numericRange->first || *v > p.numericRange->second))
        Fail(p, "value outside the valid range" + RowText(row));
      Validate(p, instance, v, row);
      LockGuard lock(p, instance, row);
      std::memcpy(lock.Required(), v, sizeof *v);
      return;
    }
    case API_PARTYPE_BOOLEAN: {
      const bool* b = std::get_if<bool>(&value);
      if (b == nullptr) Fail(p, "a boolean value is needed" + RowText(row));
      const int32_t v = *b ? 1 : 0;
      Validate(p, instance, &v, row);
      LockGuard lock(p, instance, row);
      std::memcpy(lock.Required(), &v, sizeof v);
      return;
    }
    case API_PARTYPE_STRING: {
      const std::u16string* s = std::get_if<std::u16string>(&value);
      if (s == nullptr) Fail(p, "a string value is needed" + RowText(row));
      CheckString(p, *s, row);
      Validate(p, instance, s->c_str(), row);
      Allocate(p, instance, s->size(), row);
      if (s->empty()) return;
      LockGuard lock(p, instance, row);
      std::memcpy(lock.Required(), s->data(), s->size() * sizeof(char16_t));
      return;
    }
    default: Fail(p, "cannot write a " + ParameterTypeName(p.typeCode) + " value");
  }
}

CellValue ToCell(const ParameterDefinition& p, const ParameterValue& value) {
  if (auto* d = std::get_if<double>(&value)) return *d;
  if (auto* b = std::get_if<bool>(&value)) return *b;
  if (auto* s = std::get_if<std::u16string>(&value)) return *s;
  Fail(p, "a table value was given for a " + ParameterTypeName(p.typeCode) + " parameter");
}

}  // namespace

ParameterValue ReadParameter(const ParameterDefinition& parameter, api_handle instance) {
  if (!parameter.IsTable()) {
    CellValue cell = ReadCell(parameter, instance, 0);
    return std::visit([](auto&& v) -> ParameterValue { return v; }, std::move(cell));
  }
  const api_size rows = Length(parameter, instance, 0);
  TableValue table;
  table.reserve(rows);
  for (api_size r = 0; r < rows; ++r) {
    TableRow row;
    row.reserve(parameter.columns.size());
    for (const ParameterDefinition& column : parameter.columns)
      row.push_back(ReadCell(column, instance, r));
    table.push_back(std::move(row));
  }
  return table;
}

void WriteParameter(const ParameterDefinition& parameter, api_handle instance,
                    const ParameterValue& value) {
  if (!parameter.IsTable()) {
    WriteCell(parameter, instance, 0, ToCell(parameter, value));
    return;
  }
  const TableValue* table = std::get_if<TableValue>(&value);
  if (table == nullptr) Fail(parameter, "a table value is needed");
  if (parameter.tableRowLimits) {
    auto [lo, hi] = *parameter.tableRowLimits;
    if (table->size() < lo || (hi != 0 && table->size() > hi))
      Fail(parameter, std::to_string(table->size()) + " rows, outside the allowed range");
  }
  for (size_t r = 0; r < table->size(); ++r)
    if ((*table)[r].size() != parameter.columns.size())
      Fail(parameter, std::to_string((*table)[r].size()) + " cells in row " + std::to_string(r) +
                          ", the table has " + std::to_string(parameter.columns.size()) +
                          " columns");
  Allocate(parameter, instance, table->size(), 0);
  for (size_t r = 0; r < table->size(); ++r)
    for (size_t c = 0; c < parameter.columns.size(); ++c)
      WriteCell(parameter.columns[c], instance, r, (*table)[r][c]);
}

}  // namespace hostapp
