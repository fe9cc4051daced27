// The host's process console. Text may carry the console's markup tags
// ("<end>", "<cbr>", "<raw>...</raw>"), which are passed through unchanged.
// On a host worker thread, text goes to that thread's console output instead.
#ifndef TRVX_HOST_CONSOLE_H
#define TRVX_HOST_CONSOLE_H

#include "core/String.h"
#include "host/HostAPI.h"

namespace px {

class Console {
 public:
  // The host console ("Global/GetConsole"). Throws APIFunctionError when the
  // host has none. REQUIRES: the host interface is bound.
  Console();

  // Makes the console visible (not on a worker thread).
  void Show(bool show = true);

  void Write(const String& text);
  void WriteLn(const String& text);
  void WriteLn();
  // Error text: between ESC "[31m" and ESC "[39m".
  void Critical(const String& text);
  void CriticalLn(const String& text);
  // Warning text: between ESC "[35m" and ESC "[39m".
  void Warning(const String& text);
  void WarningLn(const String& text);

  api_handle Handle() const { return handle_; }

 private:
  void Send(const String& text, bool newline);
  api_handle handle_ = nullptr;
};

}  // namespace px

#endif
