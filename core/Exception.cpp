#include "core/Exception.h"

namespace px {

namespace {
bool s_consoleOutput = true;
bool s_guiOutput = false;
}  // namespace

Exception::~Exception() = default;

String Exception::FormatInfo() const {
  String cls = ExceptionClass();
  String msg = Message();
  if (!cls.IsEmpty() && !msg.IsEmpty()) return cls + ": " + msg;
  return cls + msg;
}

bool Exception::IsConsoleOutputEnabled() { return s_consoleOutput; }
void Exception::EnableConsoleOutput(bool enable) { s_consoleOutput = enable; }
bool Exception::IsGUIOutputEnabled() { return s_guiOutput; }
void Exception::EnableGUIOutput(bool enable) { s_guiOutput = enable; }

}  // namespace px
