// Shared by the host-service tests: host functions fetched through the
// resolver with their declared types, and a console recording that keeps the
// terminal quiet.
#ifndef TRVX_TESTS_HOSTAPP_SERVICES_HOSTSERVICESFIXTURE_H
#define TRVX_TESTS_HOSTAPP_SERVICES_HOSTSERVICESFIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/HostAPI.h"
#include "hostapp/console/HostConsole.h"
#include "hostapp/services/Resolver.h"

// The host function "Group/Function" as the module would bind it.
#define HOST_FN(Group, Function) \
  reinterpret_cast<HostAPI_##Group##_##Function##_fn>(hostapp::ResolveHostFunction(#Group "/" #Function))

namespace hostapp::testing {

class RecordedConsole {
 public:
  RecordedConsole() {
    previous_ = HostConsole::Instance().SetTerminalSink([this](std::string_view s) { shown_ += s; });
    HostConsole::Instance().StartRecording();
  }
  ~RecordedConsole() {
    HostConsole::Instance().StopRecording();
    HostConsole::Instance().SetTerminalSink(previous_);
  }
  std::vector<ConsoleWrite> Writes() const { return HostConsole::Instance().Recorded(); }
  // What reached the terminal sink.
  const std::string& Shown() const { return shown_; }

 private:
  HostConsole::TerminalSink previous_;
  std::string shown_;
};

}  // namespace hostapp::testing

#endif
