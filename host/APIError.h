// Errors of host calls: APIError carries the host's error code of the last
// failed call; APIFunctionError names a call that must not fail and did.
#ifndef TRVX_HOST_APIERROR_H
#define TRVX_HOST_APIERROR_H

#include <cstdint>

#include "core/Exception.h"

namespace px {

class APIError : public Error {
 public:
  // Reads the host's current error code ("Global/LastError"); 0 while the
  // host interface is not bound.
  explicit APIError(const String& message);
  uint32_t ErrorCode() const { return code_; }
  // Adds the code in hexadecimal and the host's text for it when the code is
  // not 0.
  String FormatInfo() const override;
  String Caption() const override { return String("PixInsight API Error"); }

 private:
  uint32_t code_ = 0;
};

class APIFunctionError : public APIError {
 public:
  // `function` is the host function's name without its group, e.g. "GetConsole".
  explicit APIFunctionError(const String& function)
      : APIError(function + "(): API function error") {}
};

}  // namespace px

#endif
