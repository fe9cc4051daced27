#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/Exception.h"
#include "core/String.h"
#include "framework/MetaModule.h"
#include "host/APIInterface.h"
#include "host/EntryPoints.h"
#include "module/APIInitializer.h"
#include "process/TRVXProcess.h"
#include "support/RecordingHost.h"

// The exported entry points, as the host calls them.
extern "C" int32_t InstallPixInsightModule(int32_t mode);
extern "C" int32_t IdentifyPixInsightModule(api_module_description** description, int32_t phase);
extern "C" int32_t InitializePixInsightModule(api_handle moduleHandle,
                                              api_function_resolver resolver, uint32_t apiVersion);

namespace px {
namespace {

using trvx::test::RecordingHost;
using Calls = std::vector<std::string>;

// Each test starts with nothing installed and leaves nothing behind.
class Handshake : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Module, nullptr);
    ASSERT_EQ(API, nullptr);
  }
  void TearDown() override {
    if (APIInitializer::Record() != nullptr) IdentifyPixInsightModule(nullptr, 255);
    delete Module;
    delete API;
    API = nullptr;
    SetModuleHandle(nullptr);
  }
  // What an entry point call writes to stderr, with its result.
  static std::pair<int, std::string> Stderr(const std::function<int()>& call) {
    ::testing::internal::CaptureStderr();
    int result = call();
    return {result, ::testing::internal::GetCapturedStderr()};
  }
  static std::string Report(const std::string& message) { return "\n*** Error: " + message + "\n"; }

  RecordingHost host;
  int moduleHandle = 0;
};

template <class T>
T At(const api_module_description* record, size_t offset) {
  T value;
  std::memcpy(&value, reinterpret_cast<const unsigned char*>(record) + offset, sizeof(T));
  return value;
}

std::string Text16(const char16_t* text) { return text ? String(text).ToStdUTF8() : "(null)"; }

TEST_F(Handshake, IdentificationRecordContents) {
  ASSERT_EQ(InstallPixInsightModule(0), 0);
  api_module_description* record = nullptr;
  ASSERT_EQ(IdentifyPixInsightModule(nullptr, 0), 0);
  ASSERT_EQ(IdentifyPixInsightModule(&record, 1), 0);
  ASSERT_NE(record, nullptr);

  EXPECT_EQ(At<uint64_t>(record, 0), 0u);
  EXPECT_STREQ(At<const char*>(record, 8), "PIXINSIGHT_MODULE_VERSION_1.0.5.0.eng");
  EXPECT_STREQ(At<const char*>(record, 16), "TRVXnml");
  std::string description = Text16(At<const char16_t*>(record, 24));
  EXPECT_EQ(description.rfind("Converts TRV xnml images into Local Normalization '.xnml' files.\n", 0),
            0u);
  EXPECT_TRUE(description.ends_with("(https://pixinsight.com/).")) << description;
  EXPECT_EQ(At<const char16_t*>(record, 32), nullptr) << "empty company";
  EXPECT_EQ(Text16(At<const char16_t*>(record, 40)), "TRVXnml contributors");
  EXPECT_NE(Text16(At<const char16_t*>(record, 48)).find("TRVXnml contributors"), std::string::npos);
  EXPECT_EQ(Text16(At<const char16_t*>(record, 56)), "PixInsight");
  EXPECT_EQ(Text16(At<const char16_t*>(record, 64)), "TRVXnml-pxm.dylib");
  EXPECT_EQ(At<uint16_t>(record, 72), 2023);
  EXPECT_EQ(At<uint8_t>(record, 74), 7);
  EXPECT_EQ(At<uint8_t>(record, 75), 7);
  EXPECT_EQ(At<uint32_t>(record, 76), 387u);

  EXPECT_EQ(IdentifyPixInsightModule(nullptr, 255), 0);
  EXPECT_EQ(APIInitializer::Record(), nullptr);
}

TEST_F(Handshake, PhasesRepeatAndUnknownPhasesDoNothing) {
  ASSERT_EQ(InstallPixInsightModule(0), 0);
  for (int round = 0; round < 2; ++round) {
    api_module_description* record = nullptr;
    EXPECT_EQ(IdentifyPixInsightModule(nullptr, 2), 0);
    EXPECT_EQ(APIInitializer::Record(), nullptr);
    EXPECT_EQ(IdentifyPixInsightModule(nullptr, 0), 0) << round;
    EXPECT_EQ(IdentifyPixInsightModule(&record, 2), 0);
    EXPECT_EQ(record, nullptr) << "phase 2 hands out nothing";
    EXPECT_EQ(IdentifyPixInsightModule(&record, 1), 0) << round;
    EXPECT_STREQ(record->name, "TRVXnml");
    EXPECT_EQ(IdentifyPixInsightModule(nullptr, 255), 0) << round;
  }
}

TEST_F(Handshake, IdentificationErrorsAreReportedAndGiveOne) {
  api_module_description* record = nullptr;
  struct Case {
    std::function<int()> call;
    std::string message;
  };
  const Case withoutModule[] = {
      {[&] { return IdentifyPixInsightModule(nullptr, 0); },
       "Module metadata not available. Please instantiate a MetaModule descendent class upon "
       "module installation."},
  };
  for (const Case& c : withoutModule) EXPECT_EQ(Stderr(c.call), std::make_pair(1, Report(c.message)));

  ASSERT_EQ(InstallPixInsightModule(1), 0);
  const Case cases[] = {
      {[&] { return IdentifyPixInsightModule(&record, 1); },
       "Possible hacking attempt: Invalid API identification call (phase 1)."},
      {[&] { return IdentifyPixInsightModule(nullptr, 255); },
       "Possible hacking attempt: Invalid API identification call (phase 255)."},
      {[&] { return IdentifyPixInsightModule(nullptr, 0); }, ""},
      {[&] { return IdentifyPixInsightModule(nullptr, 0); },
       "Possible hacking attempt: Invalid API identification call (phase 0)."},
      {[&] { return IdentifyPixInsightModule(nullptr, 1); },
       "Possible hacking attempt: Invalid API module description structure."},
      {[&] { return IdentifyPixInsightModule(&record, 1); }, ""},
  };
  for (const Case& c : cases) {
    auto [result, written] = Stderr(c.call);
    EXPECT_EQ(result, c.message.empty() ? 0 : 1) << c.message;
    EXPECT_EQ(written, c.message.empty() ? "" : Report(c.message));
  }
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->name, "TRVXnml") << "install mode 1 still identifies the module";
}

TEST_F(Handshake, InitializationErrorsBeforeBinding) {
  struct Case {
    api_function_resolver resolver;
    uint32_t version;
    std::string message;
  };
  const Case withoutModule = {&RecordingHost::Resolve, 387,
                              "Module metadata not available. Please instantiate a MetaModule "
                              "descendant upon module installation."};
  EXPECT_EQ(Stderr([&] {
              return InitializePixInsightModule(&moduleHandle, withoutModule.resolver,
                                                withoutModule.version);
            }),
            std::make_pair(1, Report(withoutModule.message)));
  EXPECT_EQ(ModuleHandle(), &moduleHandle) << "the handle is stored also when the call fails";

  ASSERT_EQ(InstallPixInsightModule(0), 0);
  const Case cases[] = {
      {nullptr, 387, "Possible hacking attempt: Invalid API function resolver address."},
      {&RecordingHost::Resolve, 386, "Unsupported API version 182 (expected >= 183)."},
      {&RecordingHost::Resolve, 0x17, "Unsupported API version 17 (expected >= 183)."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Stderr([&] { return InitializePixInsightModule(&moduleHandle, c.resolver, c.version); }),
              std::make_pair(1, Report(c.message)));
    EXPECT_EQ(API, nullptr);
  }
  EXPECT_TRUE(host.calls.empty()) << "nothing was called on the host";

  host.missing = "ProcessDefinition/SetPrecision";
  EXPECT_EQ(Stderr([&] { return InitializePixInsightModule(&moduleHandle, &RecordingHost::Resolve, 387); }),
            std::make_pair(1, Report("Unable to resolve host API interface.")));
  EXPECT_EQ(API, nullptr);

  host.missing.clear();
  EXPECT_EQ(InitializePixInsightModule(&moduleHandle, &RecordingHost::Resolve, 387), 0)
      << "a later correct call succeeds";
  EXPECT_NE(API, nullptr);
}

TEST_F(Handshake, SecondInitializationIsRejectedOnTheConsole) {
  ASSERT_EQ(InstallPixInsightModule(0), 0);
  ASSERT_EQ(InitializePixInsightModule(&moduleHandle, &RecordingHost::Resolve, 388), 0);
  APIInterface* bound = API;
  host.Clear();
  EXPECT_EQ(InitializePixInsightModule(&moduleHandle, &RecordingHost::Resolve, 387), 1);
  EXPECT_EQ(API, bound) << "the existing binding stays";
  EXPECT_EQ(host.console,
            "\x1b[31m<end><cbr>*** Error: Possible hacking attempt: Unexpected API module "
            "initialization call.\x1b[39m\x1b[39m<end><cbr>");
  EXPECT_TRUE(host.CallsOf("ModuleDefinition/").empty());
}

TEST_F(Handshake, FailedDefinitionUnbindsAndIsReportedOnStderr) {
  ASSERT_EQ(InstallPixInsightModule(0), 0);
  host.failing = "ProcessDefinition/SetProcessVersion";
  EXPECT_EQ(Stderr([&] { return InitializePixInsightModule(&moduleHandle, &RecordingHost::Resolve, 387); }),
            std::make_pair(1, std::string("\n*** PixInsight API Error: SetProcessVersion(): API function error\n")));
  EXPECT_EQ(API, nullptr);
}

Calls ModuleCalls(const RecordingHost& host) {
  Calls out;
  for (const auto& c : host.calls)
    if (c.starts_with("ModuleDefinition/") || c.starts_with("ProcessDefinition/Enter") ||
        c.starts_with("ProcessDefinition/Exit"))
      out.push_back(c);
  return out;
}

TEST_F(Handshake, InitializationDefinesTheModuleAndItsChildren) {
  const Calls moduleOnly = {"ModuleDefinition/EnterModuleDefinitionContext()",
                            "ModuleDefinition/SetModuleOnLoadRoutine(fn)",
                            "ModuleDefinition/SetModuleOnUnloadRoutine(fn)",
                            "ModuleDefinition/SetModuleAllocationRoutine(fn)",
                            "ModuleDefinition/SetModuleDeallocationRoutine(fn)",
                            "ModuleDefinition/ExitModuleDefinitionContext()"};
  ASSERT_EQ(InstallPixInsightModule(1), 0);
  EXPECT_EQ(Module->Length(), 0u);
  ASSERT_EQ(InitializePixInsightModule(&moduleHandle, &RecordingHost::Resolve, 387), 0);
  EXPECT_EQ(host.calls, moduleOnly) << "install mode 1: a module without children";

  TearDown();
  host.Clear();
  ASSERT_EQ(InstallPixInsightModule(0), 0);
  ASSERT_EQ(Module->Length(), 1u);
  EXPECT_EQ((*Module)[0], TheTRVXProcess);
  ASSERT_EQ(InitializePixInsightModule(&moduleHandle, &RecordingHost::Resolve, 387), 0);
  Calls expected = moduleOnly;
  expected.insert(expected.end() - 1, {"ProcessDefinition/EnterProcessDefinitionContext()",
                                       "ProcessDefinition/ExitProcessDefinitionContext()"});
  EXPECT_EQ(ModuleCalls(host), expected);
  EXPECT_EQ(host.CallsOf("ProcessDefinition/BeginProcessDefinition").size(), 1u);
}

TEST_F(Handshake, SecondInstallationThrowsToTheLoader) {
  ASSERT_EQ(InstallPixInsightModule(1), 0);
  MetaModule* first = Module;
  try {
    InstallPixInsightModule(0);
    ADD_FAILURE() << "a second module object was accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message().ToStdUTF8(), "MetaModule: Module redefinition not allowed");
  }
  EXPECT_EQ(Module, first);
  EXPECT_EQ(Module->Length(), 0u) << "no process was created for the rejected module";
}

}  // namespace
}  // namespace px
