// The host's "last error" of the calling thread: the code and text of the
// last host call that failed on it ("Global/LastError", "Global/ErrorMessage").
// Successful calls leave it unchanged. Per thread, like errno.
#ifndef TRVX_HOSTAPP_SERVICES_HOSTERRORS_H
#define TRVX_HOSTAPP_SERVICES_HOSTERRORS_H

#include <cstdint>
#include <string>

namespace hostapp {

enum HostErrorCode : uint32_t {
  kHostErrorNone = 0,
  kHostErrorInvalidHandle = 1,    // a handle of the wrong kind, or none
  kHostErrorInvalidArgument = 2,  // a null pointer or out-of-range value
  kHostErrorFileOpen = 3,         // an image file could not be opened
  kHostErrorFileRead = 4,         // an open image file could not be read
  kHostErrorState = 5,            // the object is not in a state for the call
  kHostErrorThread = 6,           // a thread could not be started
};

void SetHostError(uint32_t code, const std::u16string& message);
void SetHostError(uint32_t code, const std::string& utf8Message);

// The calling thread's last error code; kHostErrorNone when none failed yet.
uint32_t LastHostError();

// Text for `code`: the message of the calling thread's last failure when it
// had this code, else the code's general description; empty for unknown
// codes and for kHostErrorNone.
std::u16string HostErrorMessage(uint32_t code);

// Forgets the calling thread's last error (tests).
void ClearHostError();

}  // namespace hostapp

#endif
