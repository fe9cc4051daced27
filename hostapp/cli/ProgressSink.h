// Terminal output of `trvxnml convert` with a progress count: each line the
// module begins with "Creating xnml for " is shown as "[i/N] Creating ...".
// Only the terminal rendering changes; the raw console log keeps the
// module's text.
#ifndef TRVX_HOSTAPP_CLI_PROGRESSSINK_H
#define TRVX_HOSTAPP_CLI_PROGRESSSINK_H

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "hostapp/console/HostConsole.h"

namespace hostapp {

// REQUIRES: outlives every console write made while its Sink() is installed.
class ProgressSink {
 public:
  ProgressSink(size_t total, std::ostream& out) : total_(total), out_(out) {}

  HostConsole::TerminalSink Sink() {
    return [this](std::string_view text) { Write(text); };
  }

  // Adds the count in front of each progress line of `text`.
  void Write(std::string_view text);

 private:
  size_t total_;
  size_t done_ = 0;
  bool atLineStart_ = true;
  std::ostream& out_;
};

}  // namespace hostapp

#endif
