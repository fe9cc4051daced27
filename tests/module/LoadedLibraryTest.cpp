// The built module library, loaded the way a host loads it: only the three
// entry points are reachable, and everything else goes through the routines
// the library registers.
#include <gtest/gtest.h>
#include <dlfcn.h>

#include <cstring>
#include <string>

#include "host/EntryPoints.h"
#include "support/RecordingHost.h"

namespace {

using trvx::test::RecordingHost;

template <class Fn>
Fn Symbol(void* library, const char* name) {
  return reinterpret_cast<Fn>(dlsym(library, name));
}

TEST(LoadedLibrary, HandshakeDefinitionAndInstanceExchange) {
  // A library stays installed until the process ends (as under a host).
  static bool installed = false;
  if (installed) GTEST_SKIP() << "the library was installed by an earlier repetition";
  installed = true;
  void* library = dlopen(TRVX_TEST_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto install = Symbol<InstallPixInsightModule_fn>(library, "InstallPixInsightModule");
  auto identify = Symbol<IdentifyPixInsightModule_fn>(library, "IdentifyPixInsightModule");
  auto initialize = Symbol<InitializePixInsightModule_fn>(library, "InitializePixInsightModule");
  ASSERT_TRUE(install && identify && initialize);
  EXPECT_EQ(dlsym(library, "_ZN2px3APIE"), nullptr) << "internal symbols stay hidden";

  RecordingHost host;
  int moduleHandle = 0;
  ASSERT_EQ(install(0), 0);
  api_module_description* record = nullptr;
  ASSERT_EQ(identify(nullptr, 0), 0);
  ASSERT_EQ(identify(&record, 1), 0);
  EXPECT_STREQ(record->name, "TRVXnml");
  EXPECT_EQ(record->apiVersion, 387u);
  ASSERT_EQ(identify(nullptr, 255), 0);
  ASSERT_EQ(initialize(&moduleHandle, &RecordingHost::Resolve, 387), 0) << host.console;
  ASSERT_EQ(host.CallsOf("ProcessDefinition/BeginProcessDefinition").size(), 1u);

  // The host's view: process handle from the definition, routines by name.
  auto routine = [&](const char* name) {
    void* r = host.routines[std::string("ProcessDefinition/") + name];
    EXPECT_NE(r, nullptr) << name;
    return r;
  };
  std::string begin = host.CallsOf("ProcessDefinition/BeginProcessDefinition")[0];
  api_handle process = nullptr;
  std::sscanf(begin.c_str(), "ProcessDefinition/BeginProcessDefinition(%p", &process);
  api_handle versionParameter = nullptr;
  for (const auto& call : host.CallsOf("ProcessDefinition/BeginParameterDefinition"))
    if (call.find("\"version\"") != std::string::npos)
      std::sscanf(call.c_str(), "ProcessDefinition/BeginParameterDefinition(%p", &versionParameter);
  ASSERT_NE(process, nullptr);
  ASSERT_NE(versionParameter, nullptr);

  auto create = reinterpret_cast<api_process_create_routine>(routine("SetProcessCreationRoutine"));
  auto destroy = reinterpret_cast<api_instance_routine>(routine("SetProcessDestructionRoutine"));
  auto validate = reinterpret_cast<api_instance_validation_routine>(
      routine("SetProcessGlobalExecutionValidationRoutine"));
  auto lock = reinterpret_cast<api_parameter_lock_routine>(routine("SetParameterLockRoutine"));
  api_handle instance = create(process);
  ASSERT_NE(instance, nullptr);
  auto* version = static_cast<double*>(lock(instance, versionParameter, 0));
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(*version, 5.0);
  char16_t reason[64] = {};
  EXPECT_EQ(validate(instance, reason, 64), 0) << "an empty target list is refused";
  EXPECT_NE(reason[0], u'\0');
  destroy(instance);

  EXPECT_EQ(initialize(&moduleHandle, &RecordingHost::Resolve, 387), 1);
  EXPECT_NE(host.console.find("Unexpected API module initialization call."), std::string::npos);
  // The library stays loaded: its module object lives until the process ends.
}

}  // namespace
