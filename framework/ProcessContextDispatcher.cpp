#include "framework/ProcessContextDispatcher.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/Exception.h"
#include "framework/ErrorHandler.h"
#include "framework/MetaProcess.h"
#include "framework/ProcessImplementation.h"
#include "framework/ProcessInterface.h"
#include "host/Console.h"

namespace px {

namespace {

// Handles are the addresses of exactly these base types.
const MetaProcess* P(api_handle h) { return static_cast<const MetaProcess*>(h); }
ProcessImplementation* I(api_handle h) { return static_cast<ProcessImplementation*>(h); }
api_handle H(const ProcessImplementation* p) {
  return static_cast<api_handle>(const_cast<ProcessImplementation*>(p));
}
api_handle H(const ProcessInterface* p) {
  return static_cast<api_handle>(const_cast<ProcessInterface*>(p));
}
api_bool B(bool b) { return b ? 1 : 0; }

void CopyReason(const String& reason, char16_t* buffer, uint32_t capacity) {
  if (capacity == 0 || buffer == nullptr || reason.IsEmpty()) return;
  size_t n = std::min<size_t>(reason.Length(), capacity - 1);
  std::copy_n(reason.c_str(), n, buffer);
  buffer[n] = 0;
}

// Runs a validation: true, or false with the reason copied to the host.
template <class F>
api_bool Validation(char16_t* message, uint32_t capacity, F&& call) {
  return HandleErrors(api_bool(0), [&]() -> api_bool {
    String reason;
    if (call(reason)) return 1;
    CopyReason(reason, message, capacity);
    return 0;
  });
}

// Errors escaping an execution go to the console, never to a message box.
// A re-thrown FatalError leaves the switches as set here.
template <class R, class F>
R Execution(R neutral, F&& call) {
  const bool console = Exception::IsConsoleOutputEnabled();
  const bool gui = Exception::IsGUIOutputEnabled();
  Exception::EnableConsoleOutput(true);
  Exception::EnableGUIOutput(false);
  R result = HandleErrors(neutral, std::forward<F>(call));
  Exception::EnableConsoleOutput(console);
  Exception::EnableGUIOutput(gui);
  return result;
}

template <class F>
void Execution(F&& call) {
  Execution(0, [&] {
    call();
    return 0;
  });
}

// Command lines and messages from other processes: escaped exceptions are
// written as plain console lines.
template <class R, class F>
R CommandExecution(R neutral, F&& call) {
  return Execution(neutral, [&]() -> R {
    try {
      return call();
    } catch (const Exception& e) {
      Console().WriteLn(String("<end><cbr>") + e.FormatInfo());
      return neutral;
    }
  });
}

}  // namespace

void ProcessContextDispatcher::InitializeClass(api_handle process) {
  HandleErrors([=] { const_cast<MetaProcess*>(P(process))->InitializeClass(); });
}

api_handle ProcessContextDispatcher::Create(api_handle process) {
  return HandleErrors(api_handle(nullptr), [=] { return H(P(process)->Create()); });
}

void ProcessContextDispatcher::Destroy(api_handle instance) { delete I(instance); }

api_handle ProcessContextDispatcher::Clone(api_handle instance) {
  return HandleErrors(api_handle(nullptr), [=] {
    const ProcessImplementation* p = I(instance);
    return H(p->Meta()->Clone(*p));
  });
}

api_handle ProcessContextDispatcher::TestClone(api_handle instance) {
  return HandleErrors(api_handle(nullptr), [=] {
    const ProcessImplementation* p = I(instance);
    return H(p->Meta()->TestClone(*p));
  });
}

api_bool ProcessContextDispatcher::SetServerHandle(api_handle instance, api_handle server) {
  I(instance)->SetServerHandle(server);
  return 1;
}

api_bool ProcessContextDispatcher::Assign(api_handle dst, api_handle src) {
  return HandleErrors(api_bool(0), [=] {
    I(dst)->Assign(*I(src));
    return api_bool(1);
  });
}

api_bool ProcessContextDispatcher::Initialize(api_handle instance) {
  return HandleErrors(api_bool(0), [=] {
    I(instance)->Initialize();
    return api_bool(1);
  });
}

api_bool ProcessContextDispatcher::Validate(api_handle instance, char16_t* message,
                                            uint32_t capacity) {
  return Validation(message, capacity, [=](String& why) { return I(instance)->Validate(why); });
}

int32_t ProcessContextDispatcher::ProcessCommandLine(api_handle process, int32_t argc,
                                                     const char16_t** argv) {
  return CommandExecution(int32_t(0), [=] {
    std::vector<String> arguments;
    for (int32_t i = 0; i < argc; ++i) arguments.emplace_back(argv[i]);
    return int32_t(P(process)->ProcessCommandLine(arguments));
  });
}

api_bool ProcessContextDispatcher::EditPreferences(api_handle process) {
  return HandleErrors(api_bool(0), [=] { return B(P(process)->EditPreferences()); });
}

api_bool ProcessContextDispatcher::BrowseDocumentation(api_handle process) {
  return HandleErrors(api_bool(0), [=] { return B(P(process)->BrowseDocumentation()); });
}

api_bool ProcessContextDispatcher::PrefersGlobalExecution(api_handle process) {
  return HandleErrors(api_bool(0), [=] { return B(P(process)->PrefersGlobalExecution()); });
}

api_bool ProcessContextDispatcher::CanExecuteOnView(api_handle view, api_handle instance,
                                                    char16_t* message, uint32_t capacity) {
  return Validation(message, capacity,
                    [=](String& why) { return I(instance)->CanExecuteOn(View(view), why); });
}

api_bool ProcessContextDispatcher::IsMaskable(api_handle view, api_handle window,
                                              api_handle instance) {
  return HandleErrors(api_bool(0), [=] {
    return B(I(instance)->IsMaskable(View(view), ImageWindow(window)));
  });
}

api_bool ProcessContextDispatcher::IsHistoryUpdater(api_handle view, api_handle instance) {
  return HandleErrors(api_bool(0), [=] { return B(I(instance)->IsHistoryUpdater(View(view))); });
}

uint32_t ProcessContextDispatcher::UndoMode(api_handle view, api_handle instance) {
  return HandleErrors(uint32_t(0), [=] { return I(instance)->UndoMode(View(view)); });
}

api_bool ProcessContextDispatcher::BeforeExecution(api_handle view, api_handle instance) {
  return Execution(api_bool(0), [=] {
    View v(view);
    return B(I(instance)->BeforeExecution(v));
  });
}

api_bool ProcessContextDispatcher::ExecuteOnView(api_handle view, api_handle instance) {
  return Execution(api_bool(0), [=] {
    View v(view);
    return B(I(instance)->ExecuteOn(v));
  });
}

void ProcessContextDispatcher::AfterExecution(api_handle view, api_handle instance) {
  Execution([=] {
    View v(view);
    I(instance)->AfterExecution(v);
  });
}

api_bool ProcessContextDispatcher::CanExecuteGlobal(api_handle instance, char16_t* message,
                                                    uint32_t capacity) {
  return Validation(message, capacity,
                    [=](String& why) { return I(instance)->CanExecuteGlobal(why); });
}

api_bool ProcessContextDispatcher::BeforeGlobalExecution(api_handle instance) {
  return Execution(api_bool(0), [=] { return B(I(instance)->BeforeGlobalExecution()); });
}

api_bool ProcessContextDispatcher::ExecuteGlobal(api_handle instance) {
  return Execution(api_bool(0), [=] { return B(I(instance)->ExecuteGlobal()); });
}

void ProcessContextDispatcher::AfterGlobalExecution(api_handle instance) {
  Execution([=] { I(instance)->AfterGlobalExecution(); });
}

api_bool ProcessContextDispatcher::CanExecuteOnImage(api_handle image, api_handle instance,
                                                     char16_t* message, uint32_t capacity) {
  return Validation(message, capacity, [=](String& why) {
    return I(instance)->CanExecuteOn(ImageVariant(image), why);
  });
}

api_bool ProcessContextDispatcher::ExecuteOnImage(api_handle image, api_handle instance,
                                                  const char* hints) {
  return HandleErrors(api_bool(0), [=] {
    ImageVariant v(image);
    return B(I(instance)->ExecuteOn(v, IsoString(hints)));
  });
}

api_handle ProcessContextDispatcher::DefaultInterface(api_handle process) {
  return HandleErrors(api_handle(nullptr), [=] { return H(P(process)->DefaultInterface()); });
}

api_handle ProcessContextDispatcher::SelectInterface(api_handle instance) {
  return HandleErrors(api_handle(nullptr), [=] { return H(I(instance)->SelectInterface()); });
}

api_bool ProcessContextDispatcher::IsValidInterface(api_handle instance, api_handle iface) {
  return HandleErrors(api_bool(0), [=] {
    return B(I(instance)->IsValidInterface(static_cast<const ProcessInterface*>(iface)));
  });
}

api_bool ProcessContextDispatcher::BeforeReading(api_handle instance) {
  return HandleErrors(api_bool(0), [=] { return B(I(instance)->BeforeReading()); });
}

void ProcessContextDispatcher::AfterReading(api_handle instance) {
  HandleErrors([=] { I(instance)->AfterReading(); });
}

api_bool ProcessContextDispatcher::BeforeWriting(api_handle instance) {
  return HandleErrors(api_bool(0), [=] { return B(I(instance)->BeforeWriting()); });
}

void ProcessContextDispatcher::AfterWriting(api_handle instance) {
  HandleErrors([=] { I(instance)->AfterWriting(); });
}

api_bool ProcessContextDispatcher::IPCStart(api_handle process, uint32_t messageId,
                                            const char* instanceId, const char16_t* parameters) {
  return CommandExecution(api_bool(0), [=] {
    return B(P(process)->IPCStart(messageId, IsoString(instanceId), String(parameters)));
  });
}

api_bool ProcessContextDispatcher::IPCStop(api_handle process, uint32_t messageId,
                                           const char* instanceId, const char16_t*) {
  return CommandExecution(api_bool(0),
                          [=] { return B(P(process)->IPCStop(messageId, IsoString(instanceId))); });
}

api_bool ProcessContextDispatcher::IPCSetParameters(api_handle process, uint32_t messageId,
                                                    const char* instanceId,
                                                    const char16_t* parameters) {
  return CommandExecution(api_bool(0), [=] {
    return B(P(process)->IPCSetParameters(messageId, IsoString(instanceId), String(parameters)));
  });
}

int32_t ProcessContextDispatcher::IPCStatus(api_handle process, uint32_t messageId,
                                            const char* instanceId, const char16_t*) {
  return CommandExecution(int32_t(0), [=] {
    return int32_t(P(process)->IPCStatus(messageId, IsoString(instanceId)));
  });
}

}  // namespace px
