// Test support for module tests: binds the module's host interface (px::API)
// to the stand-in host's services in this same process, and captures what
// the module writes to the host console.
#ifndef TRVX_TESTS_SUPPORT_INPROCESSHOST_H
#define TRVX_TESTS_SUPPORT_INPROCESSHOST_H

#include <string>
#include <vector>

#include "hostapp/console/HostConsole.h"

namespace trvx::test {

class InProcessHost {
 public:
  // Creates px::API from the stand-in host's resolver unless it is bound
  // already. Throws px::Error when binding fails (a hidden name, see
  // hostapp::HideHostFunction). Not thread-safe: call from test set-up.
  static void Bind();
  // Deletes px::API and sets it to null.
  static void Unbind();
};

// Records every console write for its lifetime and keeps them off the
// terminal. Captures do not nest. Writes made on host worker threads arrive
// when the thread is waited for.
class ConsoleCapture {
 public:
  ConsoleCapture();
  ~ConsoleCapture();
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;

  // All text as sent (markup and ESC sequences included), UTF-8, with "\n"
  // after each newline write.
  std::string Text() const;
  std::vector<hostapp::ConsoleWrite> Writes() const;
  // How often the console was made visible.
  int ShowCount() const;

 private:
  hostapp::HostConsole::TerminalSink previousSink_;
};

}  // namespace trvx::test

#endif
