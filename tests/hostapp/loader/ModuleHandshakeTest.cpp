// The loader's handshake with a module, through entry points written in the
// test: call order, the identification checks and every refusal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostapp/definition/DefinitionServices.h"
#include "hostapp/loader/LoaderErrors.h"
#include "hostapp/loader/ModuleLoader.h"

namespace hostapp {
namespace {

// What the fake entry points do, set per test.
struct Script {
  int32_t installResult = 0;
  int32_t phaseResult[3] = {0, 0, 0};  // phases 0, 1, 255
  bool nullRecord = false;
  const char* name = "Handshake";
  uint32_t apiVersion = 387;
  int32_t initializeResult = 0;
  bool leaveContextOpen = false;
  std::vector<std::string> calls;
};
Script s;

api_module_description s_record;

int32_t Install(int32_t mode) {
  s.calls.push_back("install " + std::to_string(mode));
  return s.installResult;
}

int32_t Identify(api_module_description** out, int32_t phase) {
  s.calls.push_back("identify " + std::to_string(phase));
  switch (phase) {
    case 0:
      s_record = api_module_description{};
      s_record.version = "V1";
      s_record.name = s.name;
      s_record.description = u"Handshake test";
      s_record.releaseYear = 2020;
      s_record.releaseMonth = 1;
      s_record.releaseDay = 31;
      s_record.apiVersion = s.apiVersion;
      return s.phaseResult[0];
    case 1:
      if (s.phaseResult[1] == 0) *out = s.nullRecord ? nullptr : &s_record;
      return s.phaseResult[1];
    case 255:
      s_record.name = "released";  // the host must have copied it by now
      return s.phaseResult[2];
    default: return 0;
  }
}

void OnLoad() { s.calls.push_back("load routine"); }
void OnUnload() { s.calls.push_back("unload routine"); }

template <class Fn>
Fn Host(api_function_resolver resolver, const char* name) {
  return reinterpret_cast<Fn>(resolver(name));
}

int32_t Initialize(api_handle module, api_function_resolver resolver, uint32_t version) {
  s.calls.push_back("initialize " + std::to_string(version) + (module != nullptr ? "" : " null"));
  Host<HostAPI_ModuleDefinition_EnterModuleDefinitionContext_fn>(
      resolver, "ModuleDefinition/EnterModuleDefinitionContext")();
  Host<HostAPI_ModuleDefinition_SetModuleOnLoadRoutine_fn>(
      resolver, "ModuleDefinition/SetModuleOnLoadRoutine")(&OnLoad);
  Host<HostAPI_ModuleDefinition_SetModuleOnUnloadRoutine_fn>(
      resolver, "ModuleDefinition/SetModuleOnUnloadRoutine")(&OnUnload);
  if (!s.leaveContextOpen)
    Host<HostAPI_ModuleDefinition_ExitModuleDefinitionContext_fn>(
        resolver, "ModuleDefinition/ExitModuleDefinitionContext")();
  return s.initializeResult;
}

const ModuleEntryPoints kEntryPoints{&Identify, &Initialize, &Install};

class ModuleHandshake : public ::testing::Test {
 protected:
  void SetUp() override { s = Script(); }
};

TEST_F(ModuleHandshake, InstallsIdentifiesInitialisesThenCallsTheLoadRoutine) {
  std::unique_ptr<LoadedModule> m = LoadedModule::Attach("handshake", kEntryPoints);
  EXPECT_EQ(s.calls, (std::vector<std::string>{"install 0", "identify 0", "identify 1",
                                               "identify 255", "initialize 387", "load routine"}));
  EXPECT_TRUE(m->IsLoaded());
  EXPECT_EQ(m->Identification().name, "Handshake");
  EXPECT_EQ(m->Identification().version, "V1");
  EXPECT_EQ(m->Identification().description, u"Handshake test");
  EXPECT_FALSE(m->Identification().author.has_value());
  EXPECT_EQ(m->Identification().releaseDay, 31);
  EXPECT_NE(m->Definitions().onUnload, nullptr);
  EXPECT_TRUE(m->Definitions().processes.empty());

  s.calls.clear();
  m->Unload();
  m->Unload();
  m.reset();
  EXPECT_EQ(s.calls, (std::vector<std::string>{"unload routine"}));
}

struct Refusal {
  const char* name;
  void (*arrange)();
  const char* message;
  const char* lastCall;  // where the handshake stopped
};
// Cases print as their names in test listings.
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }


class ModuleHandshakeRefusals : public ModuleHandshake,
                                public ::testing::WithParamInterface<Refusal> {};

TEST_P(ModuleHandshakeRefusals, RefuseWithOneMessageNamingTheModule) {
  GetParam().arrange();
  try {
    LoadedModule::Attach("handshake", kEntryPoints);
    FAIL() << "attached";
  } catch (const ModuleLoadError& e) {
    EXPECT_EQ(std::string(e.what()),
              std::string("cannot load module handshake: ") + GetParam().message);
  }
  ASSERT_FALSE(s.calls.empty());
  EXPECT_EQ(s.calls.back(), GetParam().lastCall);
  EXPECT_FALSE(DefinitionContextOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Checks, ModuleHandshakeRefusals,
    ::testing::Values(
        Refusal{"InstallationFails", [] { s.installResult = 3; }, "installation failed (result 3)",
                "install 0"},
        Refusal{"PhaseZeroFails", [] { s.phaseResult[0] = 1; }, "identification failed (phase 0)",
                "identify 0"},
        Refusal{"PhaseOneFails", [] { s.phaseResult[1] = 1; }, "identification failed (phase 1)",
                "identify 255"},
        Refusal{"NoRecord", [] { s.nullRecord = true; }, "the module gave no identification record",
                "identify 255"},
        Refusal{"PhaseTwoFiftyFiveFails", [] { s.phaseResult[2] = 1; },
                "identification failed (phase 255)", "identify 255"},
        Refusal{"EmptyName", [] { s.name = ""; }, "the module has no name", "identify 255"},
        Refusal{"NullName", [] { s.name = nullptr; }, "the module has no name", "identify 255"},
        Refusal{"NewerHostAPI", [] { s.apiVersion = 388; },
                "the module needs host API version 388; this host provides 387", "identify 255"},
        Refusal{"InitialisationFails", [] { s.initializeResult = 1; }, "initialization failed",
                "initialize 387"},
        Refusal{"DefinitionContextLeftOpen", [] { s.leaveContextOpen = true; },
                "the module left a definition context open", "initialize 387"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModuleHandshake, AnOlderHostAPIIsAccepted) {
  s.apiVersion = 300;
  EXPECT_EQ(LoadedModule::Attach("handshake", kEntryPoints)->Identification().apiVersion, 300u);
}

}  // namespace
}  // namespace hostapp
