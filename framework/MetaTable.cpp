#include "framework/MetaTable.h"

#include "core/Exception.h"
#include "framework/APIDefinition.h"

namespace px {

const MetaParameter* MetaTable::Column(size_t i) const {
  auto* column = dynamic_cast<const MetaParameter*>((*this)[i]);
  if (column == nullptr) throw Error("MetaTable: Invalid non-parameter table column instance");
  return column;
}

void MetaTable::PerformTypeAPIDefinitions() const {
  // The flag must not outlive this table's columns, also when one fails.
  struct ColumnScope {
    ColumnScope() { inTableDefinition = true; }
    ~ColumnScope() { inTableDefinition = false; }
  };
  {
    ColumnScope scope;
    for (size_t i = 0; i < Length(); ++i) Column(i)->PerformAPIDefinitions();
  }
  if (MinLength() != 0 || MaxLength() != 0)
    TRVX_DEFINE(ProcessDefinition, SetTableRowLimits, MinLength(), MaxLength());
}

}  // namespace px
