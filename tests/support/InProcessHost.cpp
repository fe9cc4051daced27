#include "support/InProcessHost.h"

#include "host/APIInterface.h"
#include "hostapp/services/Resolver.h"
#include "hostapp/services/TextConversion.h"

namespace trvx::test {

void InProcessHost::Bind() {
  if (px::API == nullptr) px::API = new px::APIInterface(&hostapp::ResolveHostFunction);
}

void InProcessHost::Unbind() {
  delete px::API;
  px::API = nullptr;
}

ConsoleCapture::ConsoleCapture() {
  auto& console = hostapp::HostConsole::Instance();
  previousSink_ = console.SetTerminalSink(nullptr);
  console.StartRecording();
}

ConsoleCapture::~ConsoleCapture() {
  auto& console = hostapp::HostConsole::Instance();
  console.StopRecording();
  console.SetTerminalSink(previousSink_);
}

std::string ConsoleCapture::Text() const {
  std::string text;
  for (const auto& w : Writes()) {
    text += hostapp::Utf16ToUtf8(w.text);
    if (w.newline) text += '\n';
  }
  return text;
}

std::vector<hostapp::ConsoleWrite> ConsoleCapture::Writes() const {
  return hostapp::HostConsole::Instance().Recorded();
}

int ConsoleCapture::ShowCount() const { return hostapp::HostConsole::Instance().RecordedShowCount(); }

}  // namespace trvx::test
