#include "framework/MetaString.h"

#include "framework/APIDefinition.h"

namespace px {

void MetaString::PerformTypeAPIDefinitions() const {
  String value = DefaultValue();
  if (!value.IsEmpty()) TRVX_DEFINE(ProcessDefinition, SetDefaultStringValue, value.c_str());
  String allowed = AllowedCharacters();
  if (!allowed.IsEmpty())
    TRVX_DEFINE(ProcessDefinition, SetStringAllowedCharacters, allowed.c_str());
  if (MinLength() != 0 || MaxLength() != 0)
    TRVX_DEFINE(ProcessDefinition, SetStringLengthLimits, MinLength(), MaxLength());
}

}  // namespace px
