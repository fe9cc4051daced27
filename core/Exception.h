// The exception family of the module. Every failure is one of these; only the
// routines and entry points called by the host catch them, through the
// standard error handler (framework/ErrorHandler.h), which calls Show().
#ifndef TRVX_CORE_EXCEPTION_H
#define TRVX_CORE_EXCEPTION_H

#include "core/String.h"

namespace px {

class Exception {
 public:
  virtual ~Exception();
  virtual String ExceptionClass() const { return String(); }
  virtual String Message() const { return String(); }
  // ExceptionClass(), ": " when both are non-empty, then Message().
  virtual String FormatInfo() const;
  virtual String Caption() const { return String("Exception"); }
  // Reports the exception on the host console, or on stderr before the host
  // interface is bound. Defined by the framework layer, which knows the host.
  virtual void Show() const;

  // Process-wide display switches (unguarded; executions do not overlap).
  // Console output starts enabled, GUI output disabled.
  static bool IsConsoleOutputEnabled();
  static void EnableConsoleOutput(bool enable = true);
  static bool IsGUIOutputEnabled();
  static void EnableGUIOutput(bool enable = true);
};

// One message; what every layer throws unless it says otherwise.
class Error : public Exception {
 public:
  explicit Error(const String& message) : message_(message) {}
  String Message() const override { return message_; }
  String Caption() const override { return String("Error"); }

 private:
  String message_;
};

// An error that must reach the host: the standard error handler re-throws it.
class FatalError : public Error {
 public:
  using Error::Error;
};

// The user stopped a process; never reported.
class ProcessAborted : public Exception {
 public:
  String ExceptionClass() const override { return String("Process aborted"); }
};

// A failure already reported where it happened; nothing more is said.
class CaughtException : public Exception {};

}  // namespace px

#endif
