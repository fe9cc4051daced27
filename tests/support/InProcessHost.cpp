#include "support/InProcessHost.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "host/APIInterface.h"
#include "hostapp/services/Resolver.h"
#include "hostapp/services/TextConversion.h"

namespace trvx::test {

namespace {

// One typed do-nothing function per declared host function, so a stub is
// always called through its own type.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define TRVX_STUB(Group, Function, Ret, Params) \
  Ret Stub_##Group##_##Function Params { return Ret(); }
#define TRVX_STUB_GROUP(Group, List) List(TRVX_STUB)
TRVX_API_GROUPS(TRVX_STUB_GROUP)
#undef TRVX_STUB_GROUP
#undef TRVX_STUB
#pragma GCC diagnostic pop

const std::map<std::string_view, void*>& Stubs() {
  static const std::map<std::string_view, void*> stubs = {
#define TRVX_STUB_ENTRY(Group, Function, Ret, Params) \
  {#Group "/" #Function, reinterpret_cast<void*>(&Stub_##Group##_##Function)},
#define TRVX_STUB_GROUP(Group, List) List(TRVX_STUB_ENTRY)
      TRVX_API_GROUPS(TRVX_STUB_GROUP)
#undef TRVX_STUB_GROUP
#undef TRVX_STUB_ENTRY
  };
  return stubs;
}

}  // namespace

void* InProcessHost::Resolve(const char* name) {
  if (void* f = hostapp::ResolveHostFunction(name)) return f;
  if (name == nullptr || hostapp::IsHostFunctionHidden(name)) return nullptr;
  auto it = Stubs().find(name);
  return it == Stubs().end() ? nullptr : it->second;
}

void InProcessHost::Bind() {
  if (px::API == nullptr) px::API = new px::APIInterface(&InProcessHost::Resolve);
}

void InProcessHost::Unbind() {
  delete px::API;
  px::API = nullptr;
}

std::vector<std::string> InProcessHost::StubbedFunctionNames() {
  std::vector<std::string> implemented = hostapp::ImplementedHostFunctionNames();
  std::vector<std::string> stubbed;
  for (const auto& entry : Stubs()) {
    std::string name(entry.first);
    if (!std::binary_search(implemented.begin(), implemented.end(), name))
      stubbed.push_back(name);
  }
  return stubbed;
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
