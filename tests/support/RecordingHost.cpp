#include "RecordingHost.h"

#include <cstdio>
#include <cstring>
#include <tuple>
#include <type_traits>

#include "core/String.h"
#include "host/APIInterface.h"
#include "host/HostAPI.h"

namespace trvx::test {

namespace {

RecordingHost* g_current = nullptr;
char g_consoleObject;

std::string Utf8(const char16_t* text) { return px::String(text).ToStdUTF8(); }

template <class T>
std::string Format(T value) {
  if constexpr (std::is_same_v<T, const char*> || std::is_same_v<T, char*>) {
    return value ? "\"" + std::string(value) + "\"" : "null";
  } else if constexpr (std::is_same_v<T, const char16_t*> || std::is_same_v<T, char16_t*>) {
    return value ? "\"" + Utf8(value) + "\"" : "null";
  } else if constexpr (std::is_pointer_v<T> && std::is_function_v<std::remove_pointer_t<T>>) {
    return value ? "fn" : "null";
  } else if constexpr (std::is_pointer_v<T>) {
    return RecordingHost::Text(value);
  } else if constexpr (std::is_floating_point_v<T>) {
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "%.17g", value);
    return buffer;
  } else {
    return std::to_string(value);
  }
}

template <class Tag, class Fn>
struct Recorder;

template <class Tag, class R, class... A>
struct Recorder<Tag, R (*)(A...)> {
  static R Call(A... args) {
    RecordingHost& host = *RecordingHost::Current();
    std::string text = std::string(Tag::name) + "(";
    bool first = true;
    ((text += (first ? "" : ", ") + Format(args), first = false), ...);
    host.calls.push_back(text + ")");
    if constexpr (sizeof...(A) == 1) {
      using First = std::tuple_element_t<0, std::tuple<A...>>;
      if constexpr (std::is_pointer_v<First> && std::is_function_v<std::remove_pointer_t<First>>)
        host.routines[Tag::name] = reinterpret_cast<void*>(std::get<0>(std::tuple<A...>(args...)));
    }
    if constexpr (std::is_void_v<R>) {
      return;
    } else if constexpr (std::is_pointer_v<R>) {
      auto it = host.handles.find(Tag::name);
      return it == host.handles.end() ? nullptr : static_cast<R>(it->second);
    } else {
      return host.failing == Tag::name ? R(0) : R(1);
    }
  }
};

#define TRVX_RECORDER_TAG(Group, Function, Ret, Params) \
  struct Tag_##Group##_##Function {                     \
    static constexpr const char* name = #Group "/" #Function; \
  };
#define TRVX_RECORDER_TAGS(Group, List) List(TRVX_RECORDER_TAG)
TRVX_API_GROUPS(TRVX_RECORDER_TAGS)
#undef TRVX_RECORDER_TAGS
#undef TRVX_RECORDER_TAG

template <class Tag, class Fn>
void* RecorderAddress() {
  return reinterpret_cast<void*>(&Recorder<Tag, Fn>::Call);
}

// Host functions with behaviour beyond recording: they record through the
// generic recorder first, then answer.
void* GetConsole() {
  Recorder<Tag_Global_GetConsole, HostAPI_Global_GetConsole_fn>::Call();
  return RecordingHost::Current()->hasConsole ? RecordingHost::ConsoleHandle() : nullptr;
}

api_bool WriteConsole(api_handle console, const char16_t* text, api_bool newline) {
  RecordingHost& host = *RecordingHost::Current();
  api_bool ok =
      Recorder<Tag_Global_WriteConsole, HostAPI_Global_WriteConsole_fn>::Call(console, text, newline);
  if (ok) {
    host.console += Utf8(text);
    if (newline) host.console += "\n";
  }
  return ok;
}

api_bool ShowConsole(api_handle console, api_bool show) {
  api_bool ok = Recorder<Tag_Global_ShowConsole, HostAPI_Global_ShowConsole_fn>::Call(console, show);
  if (ok && show) ++RecordingHost::Current()->consoleShown;
  return ok;
}

uint32_t LastError() {
  Recorder<Tag_Global_LastError, HostAPI_Global_LastError_fn>::Call();
  return RecordingHost::Current()->lastError;
}

api_bool ErrorMessage(uint32_t code, char16_t* buffer, api_size* length) {
  Recorder<Tag_Global_ErrorMessage, HostAPI_Global_ErrorMessage_fn>::Call(code, buffer, length);
  const std::u16string& text = RecordingHost::Current()->errorText;
  if (buffer == nullptr) {
    *length = text.size() + 1;
    return 1;
  }
  std::memcpy(buffer, text.c_str(), (text.size() + 1) * sizeof(char16_t));
  return 1;
}

std::map<std::string, void*> BuildTable() {
  std::map<std::string, void*> table;
#define TRVX_RECORDER_ENTRY(Group, Function, Ret, Params) \
  table[#Group "/" #Function] =                           \
      RecorderAddress<Tag_##Group##_##Function, HostAPI_##Group##_##Function##_fn>();
#define TRVX_RECORDER_ENTRIES(Group, List) List(TRVX_RECORDER_ENTRY)
  TRVX_API_GROUPS(TRVX_RECORDER_ENTRIES)
#undef TRVX_RECORDER_ENTRIES
#undef TRVX_RECORDER_ENTRY
  table["Global/GetConsole"] = reinterpret_cast<void*>(&GetConsole);
  table["Global/WriteConsole"] = reinterpret_cast<void*>(&WriteConsole);
  table["Global/ShowConsole"] = reinterpret_cast<void*>(&ShowConsole);
  table["Global/LastError"] = reinterpret_cast<void*>(&LastError);
  table["Global/ErrorMessage"] = reinterpret_cast<void*>(&ErrorMessage);
  return table;
}

}  // namespace

RecordingHost::RecordingHost() { g_current = this; }

RecordingHost::~RecordingHost() {
  if (bound_) {
    delete px::API;
    px::API = nullptr;
  }
  if (g_current == this) g_current = nullptr;
}

void RecordingHost::Bind() {
  px::API = new px::APIInterface(&Resolve);
  bound_ = true;
}

RecordingHost* RecordingHost::Current() { return g_current; }

void* RecordingHost::ConsoleHandle() { return &g_consoleObject; }

void* RecordingHost::Resolve(const char* name) {
  static const std::map<std::string, void*> table = BuildTable();
  if (g_current != nullptr && g_current->missing == name) return nullptr;
  auto it = table.find(name);
  return it == table.end() ? nullptr : it->second;
}

std::string RecordingHost::Text(const void* pointer) {
  if (pointer == nullptr) return "null";
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%p", pointer);
  return buffer;
}

std::vector<std::string> RecordingHost::CallsOf(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const std::string& call : calls)
    if (call.compare(0, prefix.size(), prefix) == 0) out.push_back(call);
  return out;
}

void RecordingHost::Clear() {
  calls.clear();
  console.clear();
  consoleShown = 0;
  routines.clear();
}

}  // namespace trvx::test
