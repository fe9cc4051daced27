#include "host/Console.h"

#include "host/APIError.h"
#include "host/APIInterface.h"

namespace px {

namespace {
const char16_t kRed[] = u"\x1b[31m";
const char16_t kMagenta[] = u"\x1b[35m";
const char16_t kDefault[] = u"\x1b[39m";
}  // namespace

Console::Console() {
  handle_ = API->Global.GetConsole();
  if (handle_ == nullptr) throw APIFunctionError("GetConsole");
}

void Console::Show(bool show) {
  if (API->Thread.GetCurrentThread() != nullptr) return;
  API->Global.ShowConsole(handle_, show ? 1 : 0);
}

void Console::Send(const String& text, bool newline) {
  if (api_handle thread = API->Thread.GetCurrentThread()) {
    API->Thread.AppendThreadConsoleOutputText(thread, text.c_str(), newline ? 1 : 0);
    return;
  }
  if (!API->Global.WriteConsole(handle_, text.c_str(), newline ? 1 : 0))
    throw APIFunctionError("WriteConsole");
}

void Console::Write(const String& text) { Send(text, false); }
void Console::WriteLn(const String& text) { Send(text, true); }
void Console::WriteLn() { Send(String(), true); }
void Console::Critical(const String& text) { Send(kRed + text + kDefault, false); }
void Console::CriticalLn(const String& text) { Send(kRed + text + kDefault, true); }
void Console::Warning(const String& text) { Send(kMagenta + text + kDefault, false); }
void Console::WarningLn(const String& text) { Send(kMagenta + text + kDefault, true); }

}  // namespace px
