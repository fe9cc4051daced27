// Test support: a fake host whose every API function records its call as
// text ("Group/Function(arg, ...)"), so tests can assert the exact sequence
// of host calls the module makes. Console writes are kept byte for byte.
//
// One RecordingHost is current at a time (the last constructed); its
// Resolve() serves px::APIInterface. Not thread-safe.
#ifndef TRVX_TESTS_SUPPORT_RECORDINGHOST_H
#define TRVX_TESTS_SUPPORT_RECORDINGHOST_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace trvx::test {

class RecordingHost {
 public:
  RecordingHost();
  // Unbinds px::API when Bind() bound it.
  ~RecordingHost();
  RecordingHost(const RecordingHost&) = delete;
  RecordingHost& operator=(const RecordingHost&) = delete;

  // Binds px::API to this host. REQUIRES: px::API is null.
  void Bind();

  // Resolver for the current host: a recorder for every declared name,
  // null for `missing` and for names the module does not declare.
  static void* Resolve(const char* name);
  static RecordingHost* Current();

  // How a handle or data pointer appears in recorded calls.
  static std::string Text(const void* pointer);

  // Recorded calls whose name starts with `prefix`.
  std::vector<std::string> CallsOf(const std::string& prefix) const;
  void Clear();

  // Configuration.
  std::string missing;      // resolves to null
  std::string failing;      // returns 0 / false when called
  bool hasConsole = true;   // "Global/GetConsole" yields a console
  uint32_t lastError = 0;   // "Global/LastError"
  std::u16string errorText; // "Global/ErrorMessage" for any code
  // Handles returned by handle-returning functions (default null).
  std::map<std::string, void*> handles;

  // Observations.
  std::vector<std::string> calls;
  std::string console;  // UTF-8 of every console write; "\n" after a newline write
  int consoleShown = 0;
  // Last routine registered through each "...Routine" definition call.
  std::map<std::string, void*> routines;

  // The console handle the host hands out.
  static void* ConsoleHandle();

 private:
  bool bound_ = false;
};

}  // namespace trvx::test

#endif
