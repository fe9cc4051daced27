// The standard error handler: wraps one call made on behalf of the host so
// that no exception crosses into the host. Every routine and entry point the
// host calls runs its work through HandleErrors.
#ifndef TRVX_FRAMEWORK_ERRORHANDLER_H
#define TRVX_FRAMEWORK_ERRORHANDLER_H

namespace px {

// REQUIRES: called inside a catch block. Deals with the exception in flight:
// FatalError is re-thrown; ProcessAborted and CaughtException are dropped
// silently; any other Exception is shown; a thrown String is shown as an
// Error with that text; std::bad_alloc as Error "Out of memory"; anything
// else as Error "Unknown exception". Never throws anything but FatalError.
void ReportCurrentException();

// Runs `call`; after a handled exception returns `neutral` instead.
template <class R, class F>
R HandleErrors(R neutral, F&& call) {
  try {
    return call();
  } catch (...) {
    ReportCurrentException();
    return neutral;
  }
}

// Variant for calls without a result.
template <class F>
void HandleErrors(F&& call) {
  try {
    call();
  } catch (...) {
    ReportCurrentException();
  }
}

}  // namespace px

#endif
