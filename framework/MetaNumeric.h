// Numeric parameter kinds: MetaNumeric (any number), MetaReal (floating
// point, with precision and notation) and MetaDouble (64-bit double).
#ifndef TRVX_FRAMEWORK_METANUMERIC_H
#define TRVX_FRAMEWORK_METANUMERIC_H

#include <limits>

#include "framework/MetaParameter.h"

namespace px {

class MetaNumeric : public MetaParameter {
 public:
  using MetaParameter::MetaParameter;
  bool IsNumeric() const override { return true; }
  virtual bool IsReal() const = 0;
  virtual bool IsInteger() const = 0;
};

class MetaReal : public MetaNumeric {
 public:
  using MetaNumeric::MetaNumeric;
  bool IsReal() const override { return true; }
  bool IsInteger() const override { return false; }
  virtual double DefaultValue() const = 0;
  // The default range (lowest, max) counts as unbounded and is not sent.
  virtual double MinimumValue() const { return std::numeric_limits<double>::lowest(); }
  virtual double MaximumValue() const { return std::numeric_limits<double>::max(); }
  // Decimal digits shown by the host; -1 lets the host choose.
  virtual int Precision() const { return -1; }
  virtual bool ScientificNotation() const { return false; }

  // Default value, range when bounded, precision, notation.
  void PerformTypeAPIDefinitions() const override;
};

class MetaDouble : public MetaReal {
 public:
  using MetaReal::MetaReal;
  int32_t APIParType() const override { return API_PARTYPE_DOUBLE; }
};

}  // namespace px

#endif
