// Boolean parameter kind; the host reads and writes the value as a 32-bit
// integer (0 or 1).
#ifndef TRVX_FRAMEWORK_METABOOLEAN_H
#define TRVX_FRAMEWORK_METABOOLEAN_H

#include "framework/MetaParameter.h"

namespace px {

class MetaBoolean : public MetaParameter {
 public:
  using MetaParameter::MetaParameter;
  bool IsBoolean() const override { return true; }
  int32_t APIParType() const override { return API_PARTYPE_BOOLEAN; }
  virtual bool DefaultValue() const = 0;
  // Sends the default value.
  void PerformTypeAPIDefinitions() const override;
};

}  // namespace px

#endif
