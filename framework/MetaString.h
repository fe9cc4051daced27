// String parameter kind: a UTF-16 value whose length the host learns from
// the length routine.
#ifndef TRVX_FRAMEWORK_METASTRING_H
#define TRVX_FRAMEWORK_METASTRING_H

#include "core/String.h"
#include "framework/MetaVariableLengthParameter.h"

namespace px {

class MetaString : public MetaVariableLengthParameter {
 public:
  using MetaVariableLengthParameter::MetaVariableLengthParameter;
  bool IsString() const override { return true; }
  int32_t APIParType() const override { return API_PARTYPE_STRING; }
  virtual String DefaultValue() const { return String(); }
  // Characters the host accepts; empty: any.
  virtual String AllowedCharacters() const { return String(); }
  // Default, allowed characters and length limits, each only when set.
  void PerformTypeAPIDefinitions() const override;
};

}  // namespace px

#endif
