#include "hostapp/services/HostErrors.h"

#include "hostapp/services/TextConversion.h"

namespace hostapp {

namespace {

thread_local uint32_t t_code = kHostErrorNone;
thread_local std::u16string t_message;

std::u16string Description(uint32_t code) {
  switch (code) {
    case kHostErrorInvalidHandle: return u"Invalid object handle";
    case kHostErrorInvalidArgument: return u"Invalid argument";
    case kHostErrorFileOpen: return u"Unable to open image file";
    case kHostErrorFileRead: return u"Unable to read image file";
    case kHostErrorState: return u"Invalid object state";
    case kHostErrorThread: return u"Unable to start thread";
    default: return std::u16string();
  }
}

}  // namespace

void SetHostError(uint32_t code, const std::u16string& message) {
  t_code = code;
  t_message = message;
}

void SetHostError(uint32_t code, const std::string& utf8Message) {
  SetHostError(code, Utf8ToUtf16(utf8Message));
}

uint32_t LastHostError() { return t_code; }

std::u16string HostErrorMessage(uint32_t code) {
  if (code == kHostErrorNone) return std::u16string();
  if (code == t_code && !t_message.empty()) return t_message;
  return Description(code);
}

void ClearHostError() {
  t_code = kHostErrorNone;
  t_message.clear();
}

}  // namespace hostapp
