// Table parameter kind: rows of the columns that are its children. The host
// sizes it in rows; each cell is exchanged through its column with a row index.
#ifndef TRVX_FRAMEWORK_METATABLE_H
#define TRVX_FRAMEWORK_METATABLE_H

#include "framework/MetaVariableLengthParameter.h"

namespace px {

class MetaTable : public MetaVariableLengthParameter {
 public:
  using MetaVariableLengthParameter::MetaVariableLengthParameter;
  bool IsTable() const override { return true; }
  int32_t APIParType() const override { return API_PARTYPE_TABLE; }

  // Column `i`. REQUIRES: i < Length(). Throws Error "MetaTable: Invalid
  // non-parameter table column instance" for a child that is not a parameter.
  const MetaParameter* Column(size_t i) const;

  // Defines every column in order (as table columns), then the row limits
  // when set.
  void PerformTypeAPIDefinitions() const override;
};

}  // namespace px

#endif
