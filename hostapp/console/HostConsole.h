// The host's one process console: what "Global/GetConsole" hands out. Shows
// text on the terminal (through ConsoleRenderer), keeps an optional raw log of
// the exact text received, and can record writes for tests.
// Thread-safe: every member may be called from any thread.
#ifndef TRVX_HOSTAPP_CONSOLE_HOSTCONSOLE_H
#define TRVX_HOSTAPP_CONSOLE_HOSTCONSOLE_H

#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "hostapp/console/ConsoleRenderer.h"

namespace hostapp {

// One console write as the module sent it.
struct ConsoleWrite {
  std::u16string text;
  bool newline = false;
  bool workerThread = false;  // text collected from a host worker thread
  bool operator==(const ConsoleWrite&) const = default;
};

class HostConsole {
 public:
  // Receives rendered UTF-8 terminal text.
  using TerminalSink = std::function<void(std::string_view utf8)>;

  // The console; lives until the process ends.
  static HostConsole& Instance();

  // Shows `text` (UTF-16, with markup) and logs/records it.
  void Write(std::u16string_view text, bool newline, bool workerThread = false);
  // Makes the console visible; counted while recording.
  void Show();

  // Terminal: colour sequences kept or stripped, and the progress prefix
  // (see ConsoleRenderer). The default keeps colour when ColorWanted().
  void SetKeepColor(bool keep);
  void SetProgressPrefix(std::string utf8Prefix);
  // True when stdout is a terminal and NO_COLOR is unset or empty.
  static bool ColorWanted();

  // Replaces where terminal text goes (default: stdout, flushed per write)
  // and returns the previous sink. A null sink suppresses terminal output.
  TerminalSink SetTerminalSink(TerminalSink sink);
  static TerminalSink StdoutSink();

  // Raw log: each write's UTF-16 text as UTF-8, plus "\n" for a newline
  // write, markup and ESC sequences untouched. Opening replaces (truncates)
  // the file; throws std::runtime_error when it cannot be created.
  void OpenRawLog(const std::string& utf8Path);
  void CloseRawLog();

  // Recording for tests: StartRecording clears what was recorded before.
  void StartRecording();
  void StopRecording();
  bool IsRecording() const;
  std::vector<ConsoleWrite> Recorded() const;
  int RecordedShowCount() const;

  HostConsole(const HostConsole&) = delete;
  HostConsole& operator=(const HostConsole&) = delete;

 private:
  HostConsole();
  ~HostConsole();

  mutable std::mutex mutex_;
  ConsoleRenderer renderer_;
  TerminalSink sink_;
  std::FILE* rawLog_ = nullptr;
  bool recording_ = false;
  std::vector<ConsoleWrite> recorded_;
  int showCount_ = 0;
};

}  // namespace hostapp

#endif
