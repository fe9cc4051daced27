// Parameters whose length the host sizes and queries through the allocation
// and length routines: strings (length in code units) and tables (rows).
#ifndef TRVX_FRAMEWORK_METAVARIABLELENGTHPARAMETER_H
#define TRVX_FRAMEWORK_METAVARIABLELENGTHPARAMETER_H

#include <cstddef>

#include "framework/MetaParameter.h"

namespace px {

class MetaVariableLengthParameter : public MetaParameter {
 public:
  using MetaParameter::MetaParameter;
  bool IsVariableLength() const override { return true; }
  // Length limits; 0 and 0 mean no limits.
  virtual size_t MinLength() const { return 0; }
  virtual size_t MaxLength() const { return 0; }
};

}  // namespace px

#endif
