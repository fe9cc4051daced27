#include "framework/MetaBoolean.h"

#include "framework/APIDefinition.h"

namespace px {

void MetaBoolean::PerformTypeAPIDefinitions() const {
  TRVX_DEFINE(ProcessDefinition, SetDefaultBooleanValue, DefaultValue() ? 1 : 0);
}

}  // namespace px
