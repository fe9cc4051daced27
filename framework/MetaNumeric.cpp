#include "framework/MetaNumeric.h"

#include "framework/APIDefinition.h"

namespace px {

void MetaReal::PerformTypeAPIDefinitions() const {
  TRVX_DEFINE(ProcessDefinition, SetDefaultNumericValue, DefaultValue());
  double minimum = MinimumValue();
  double maximum = MaximumValue();
  bool unbounded = minimum == std::numeric_limits<double>::lowest() &&
                   maximum == std::numeric_limits<double>::max();
  if (minimum <= maximum && !unbounded)
    TRVX_DEFINE(ProcessDefinition, SetValidNumericRange, minimum, maximum);
  TRVX_DEFINE(ProcessDefinition, SetPrecision, Precision());
  TRVX_DEFINE(ProcessDefinition, SetScientificNotation, ScientificNotation() ? 1 : 0);
}

}  // namespace px
