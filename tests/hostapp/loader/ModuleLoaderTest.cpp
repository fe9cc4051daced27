// The loader and the instance layer against the built TRVXnml module library.
// The library's globals exist once per process while it is loaded, so the
// tests share one load, made on first use and unloaded when the test program
// ends.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "hostapp/console/HostConsole.h"
#include "hostapp/loader/InstanceParameters.h"
#include "hostapp/loader/LoaderErrors.h"
#include "hostapp/loader/ModuleDescription.h"
#include "hostapp/loader/ModuleLoader.h"
#include "hostapp/loader/ParameterExchange.h"
#include "hostapp/loader/ProcessCatalog.h"
#include "hostapp/loader/ProcessInstance.h"
#include "hostapp/services/Resolver.h"

namespace hostapp {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

std::unique_ptr<LoadedModule>& SharedSlot() {
  static std::unique_ptr<LoadedModule> module;
  return module;
}

LoadedModule& Module() {
  if (!SharedSlot()) SharedSlot() = LoadedModule::Load(TRVX_TEST_MODULE_PATH);
  return *SharedSlot();
}

class UnloadAtExit : public ::testing::Environment {
 public:
  void TearDown() override { SharedSlot().reset(); }
};
const auto* const s_environment = ::testing::AddGlobalTestEnvironment(new UnloadAtExit);

// Keeps what the module writes off the terminal and records it.
class QuietConsole {
 public:
  QuietConsole() {
    previous_ = HostConsole::Instance().SetTerminalSink(nullptr);
    HostConsole::Instance().StartRecording();
  }
  ~QuietConsole() {
    HostConsole::Instance().StopRecording();
    HostConsole::Instance().SetTerminalSink(previous_);
  }

 private:
  HostConsole::TerminalSink previous_;
};

TEST(ModuleLoader, CopiesTheIdentificationRecord) {
  const ModuleIdentification& id = Module().Identification();
  EXPECT_EQ(id.uniqueId, 0u);
  EXPECT_EQ(id.name, "TRVXnml");
  EXPECT_EQ(id.version, "PIXINSIGHT_MODULE_VERSION_1.0.5.0.eng");
  ASSERT_TRUE(id.description.has_value());
  EXPECT_EQ(id.description->rfind(
                u"Converts TRV xnml images into Local Normalization '.xnml' files.\n", 0),
            0u);
  EXPECT_FALSE(id.company.has_value());
  EXPECT_TRUE(id.author.has_value());
  EXPECT_TRUE(id.copyright.has_value());
  EXPECT_EQ(id.tradeMarks, u"PixInsight");
  EXPECT_EQ(id.originalFileName, u"TRVXnml-pxm.dylib");
  EXPECT_EQ(id.releaseYear, 2023);
  EXPECT_EQ(id.releaseMonth, 7);
  EXPECT_EQ(id.releaseDay, 7);
  EXPECT_EQ(id.apiVersion, 387u);
  EXPECT_EQ(Module().Path(), TRVX_TEST_MODULE_PATH);
}

TEST(ModuleLoader, RecordsTheProcessDefinitionSequenceInOrder) {
  const std::vector<std::string> names = Module().Definitions().CallNames();
  auto from =
      std::find(names.begin(), names.end(), "ProcessDefinition/EnterProcessDefinitionContext");
  auto to = std::find(names.begin(), names.end(), "ProcessDefinition/ExitProcessDefinitionContext");
  ASSERT_NE(from, names.end());
  ASSERT_NE(to, names.end());
  std::vector<std::string> process;
  for (auto it = from; it <= to; ++it) process.push_back(it->substr(it->find('/') + 1));

  std::vector<std::string> expected = {"EnterProcessDefinitionContext",
                                       "BeginProcessDefinition",
                                       "SetProcessCategory",
                                       "SetProcessVersion",
                                       "SetProcessDescription",
                                       "SetProcessIconSVGFile",
                                       "SetProcessClassInitializationRoutine",
                                       "SetProcessCreationRoutine",
                                       "SetProcessDestructionRoutine",
                                       "SetProcessClonationRoutine",
                                       "SetProcessTestClonationRoutine",
                                       "SetProcessSetServerHandleRoutine",
                                       "SetProcessAssignmentRoutine",
                                       "SetProcessBrowseDocumentationRoutine",
                                       "SetProcessExecutionPreferencesRoutine",
                                       "SetProcessExecutionValidationRoutine",
                                       "SetProcessMaskValidationRoutine",
                                       "SetProcessHistoryUpdateValidationRoutine",
                                       "SetProcessUndoModeRoutine",
                                       "SetProcessPreExecutionRoutine",
                                       "SetProcessExecutionRoutine",
                                       "SetProcessPostExecutionRoutine",
                                       "SetProcessGlobalExecutionValidationRoutine",
                                       "SetProcessPreGlobalExecutionRoutine",
                                       "SetProcessGlobalExecutionRoutine",
                                       "SetProcessPostGlobalExecutionRoutine",
                                       "SetProcessDefaultInterfaceSelectionRoutine",
                                       "SetProcessInterfaceSelectionRoutine",
                                       "SetProcessInterfaceValidationRoutine",
                                       "SetProcessPreReadingRoutine",
                                       "SetProcessPostReadingRoutine",
                                       "SetProcessPreWritingRoutine",
                                       "SetProcessPostWritingRoutine"};
  const std::vector<std::string> common = {"SetParameterProcessVersionRange",
                                           "SetParameterRequired", "SetParameterReadOnly",
                                           "SetParameterLockRoutine"};
  auto parameter = [&](const char* begin, std::vector<std::string> type, const char* end) {
    expected.push_back(begin);
    expected.insert(expected.end(), common.begin(), common.end());
    expected.insert(expected.end(), type.begin(), type.end());
    expected.push_back(end);
  };
  const std::vector<std::string> variable = {"SetParameterAllocationRoutine",
                                             "SetParameterLengthQueryRoutine"};
  // targetItems with its two columns inside it
  expected.push_back("BeginParameterDefinition");
  expected.insert(expected.end(), common.begin(), common.end());
  expected.insert(expected.end(), variable.begin(), variable.end());
  parameter("BeginTableColumnDefinition", variable, "EndTableColumnDefinition");
  parameter("BeginTableColumnDefinition", variable, "EndTableColumnDefinition");
  expected.push_back("EndParameterDefinition");
  parameter("BeginParameterDefinition", variable, "EndParameterDefinition");  // outputDirectory
  for (int i = 0; i < 3; ++i)
    parameter("BeginParameterDefinition", {"SetDefaultBooleanValue"}, "EndParameterDefinition");
  parameter("BeginParameterDefinition",
            {"SetDefaultNumericValue", "SetPrecision", "SetScientificNotation"},
            "EndParameterDefinition");  // version
  expected.push_back("EndProcessDefinition");
  expected.push_back("ExitProcessDefinitionContext");
  EXPECT_EQ(process, expected);

  for (const DefinitionCall& c : Module().Definitions().calls)
    EXPECT_TRUE(c.accepted) << c.function;
  EXPECT_EQ(names.front(), "ModuleDefinition/EnterModuleDefinitionContext");
  EXPECT_EQ(names.back(), "ModuleDefinition/ExitModuleDefinitionContext");
}

TEST(ModuleLoader, KnowsTheProcessAndItsParameters) {
  const ModuleDefinition& m = Module().Definitions();
  EXPECT_NE(m.onUnload, nullptr);
  ASSERT_EQ(m.processes.size(), 1u);
  const ProcessDefinition& p = Module().Process("TRVXnml");
  EXPECT_EQ(p.category, "ImageCalibration");
  EXPECT_EQ(p.version, 261u);
  EXPECT_EQ(
      p.description,
      u"<html>Convert TRV 'xnml_*.xisf' images into Local Normalization '.xnml' files.</html>");
  EXPECT_EQ(p.iconSVGFile, u"@module_icons_dir/TRVXnml.svg");

  struct Expected {
    const char* id;
    int32_t type;
    bool readOnly;
  };
  const Expected parameters[] = {{"targetItems", API_PARTYPE_TABLE, false},
                                 {"outputDirectory", API_PARTYPE_STRING, false},
                                 {"overwriteExistingFiles", API_PARTYPE_BOOLEAN, false},
                                 {"useWeightPostfix", API_PARTYPE_BOOLEAN, false},
                                 {"usePSFScaleSNR", API_PARTYPE_BOOLEAN, true},
                                 {"version", API_PARTYPE_DOUBLE, true}};
  ASSERT_EQ(p.parameters.size(), std::size(parameters));
  for (size_t i = 0; i < std::size(parameters); ++i) {
    EXPECT_EQ(p.parameters[i].id, parameters[i].id);
    EXPECT_EQ(p.parameters[i].typeCode, parameters[i].type) << parameters[i].id;
    EXPECT_EQ(p.parameters[i].readOnly, parameters[i].readOnly) << parameters[i].id;
    EXPECT_FALSE(p.parameters[i].required) << parameters[i].id;
  }
  const ParameterDefinition& table = p.parameters[0];
  ASSERT_EQ(table.columns.size(), 2u);
  EXPECT_EQ(table.columns[0].id, "targetPath");
  EXPECT_EQ(table.columns[1].id, "outputXnmlPath");
  EXPECT_EQ(p.FindParameter("overwriteExistingFiles")->defaultBoolean, false);
  EXPECT_EQ(p.FindParameter("useWeightPostfix")->defaultBoolean, true);
  EXPECT_EQ(p.FindParameter("version")->defaultNumeric, 5.0);
  EXPECT_EQ(p.FindParameter("version")->precision, -1);
  EXPECT_THROW(Module().Process("Other"), ProcessInstanceError);
}

TEST(ModuleInstances, ANewInstanceReadsTheDefaults) {
  ProcessInstance i = ProcessInstance::Create(Module().Process("TRVXnml"));
  InstanceParameters expected;  // 0 rows, empty directory, false, true, true, 5.0
  EXPECT_EQ(ReadInstanceParameters(i), expected);
}

TEST(ModuleInstances, ParametersRoundTripThroughTheExchange) {
  ProcessInstance i = ProcessInstance::Create(Module().Process("TRVXnml"));
  InstanceParameters written;
  written.targetItems = {{u"/data/xnml_a.xisf", u""},
                         {u"/donn\u00e9es/xnml_\u00e9t\u00e9 \u20ac.xisf", u"/out/\U0001D11E.xnml"},
                         {u"", u"/out/explicit.xnml"}};
  written.outputDirectory = u"/sortie/r\u00e9p";
  written.overwriteExistingFiles = true;
  written.useWeightPostfix = false;
  WriteInstanceParameters(i, written);
  EXPECT_EQ(ReadInstanceParameters(i), written);

  // Fewer rows replace all old ones; empty strings read back empty.
  written.targetItems = {{u"x", u""}};
  written.outputDirectory.clear();
  WriteInstanceParameters(i, written);
  EXPECT_EQ(ReadInstanceParameters(i), written);
}

TEST(ModuleInstances, ReadOnlyParametersAreNotWritten) {
  ProcessInstance i = ProcessInstance::Create(Module().Process("TRVXnml"));
  EXPECT_THROW(i.Write("version", 6.0), ProcessInstanceError);
  EXPECT_THROW(i.Write("usePSFScaleSNR", false), ProcessInstanceError);
  EXPECT_EQ(std::get<double>(i.Read("version")), 5.0);
}

TEST(ModuleInstances, ACloneOutlivesItsOriginalAndDoesNotShareWrites) {
  ProcessInstance clone = [] {
    ProcessInstance original = ProcessInstance::Create(Module().Process("TRVXnml"));
    original.Write("outputDirectory", std::u16string(u"/first"));
    ProcessInstance c = original.Clone();
    c.Write("outputDirectory", std::u16string(u"/second"));
    EXPECT_EQ(std::get<std::u16string>(original.Read("outputDirectory")), u"/first");
    return c;
  }();  // the original is destroyed here
  EXPECT_EQ(std::get<std::u16string>(clone.Read("outputDirectory")), u"/second");
}

TEST(ModuleInstances, AnEmptyTargetListIsRefusedWithTheModulesReason) {
  QuietConsole quiet;
  ProcessInstance i = ProcessInstance::Create(Module().Process("TRVXnml"));
  const GlobalExecutionResult r = i.ExecuteGlobal();
  EXPECT_EQ(r.outcome, GlobalExecutionResult::Outcome::Refused);
  EXPECT_EQ(r.reason, u"No target images have been defined.");
}

TEST(ModuleInstances, TheHostFunctionsReachTheModulesInstances) {
  QuietConsole quiet;
  const ProcessDefinition& p = Module().Process("TRVXnml");
  ProcessInstance i = ProcessInstance::Create(p);
  i.Write("outputDirectory", std::u16string(u"/cloned"));
  auto clone = reinterpret_cast<HostAPI_Process_CloneProcessInstance_fn>(
      ResolveHostFunction("Process/CloneProcessInstance"));
  api_handle copy = clone(nullptr, i.Handle(), 0);
  ASSERT_NE(copy, nullptr);
  const ParameterDefinition& directory = *p.FindParameter("outputDirectory");
  EXPECT_EQ(std::get<std::u16string>(ReadParameter(directory, copy)), u"/cloned");

  // Launching the copy globally with no targets: refused, with the reason on the console.
  auto launch = reinterpret_cast<HostAPI_Global_LaunchProcessInstance_fn>(
      ResolveHostFunction("Global/LaunchProcessInstance"));
  EXPECT_EQ(launch(p.handle, copy, API_LAUNCH_GLOBAL, 0), 0);
  const auto writes = HostConsole::Instance().Recorded();
  ASSERT_FALSE(writes.empty());
  EXPECT_EQ(writes.back().text, u"\x1b[31mNo target images have been defined.\x1b[39m");
  reinterpret_cast<HostAPI_Global_DestroyObject_fn>(ResolveHostFunction("Global/DestroyObject"))(copy);
}

TEST(ModuleInstances, DescribeListsTheProcessAndItsParameters) {
  std::ostringstream out;
  DescribeModule(Module(), out);
  const std::string text = out.str();
  EXPECT_THAT(text, StartsWith("Module TRVXnml\n"));
  EXPECT_THAT(text, HasSubstr("PIXINSIGHT_MODULE_VERSION_1.0.5.0.eng"));
  EXPECT_THAT(text, HasSubstr("2023-07-07"));
  EXPECT_THAT(text, HasSubstr("\nProcess TRVXnml\n"));
  EXPECT_THAT(text, HasSubstr("ImageCalibration"));
  EXPECT_THAT(text, HasSubstr("261 (0x105)"));
  EXPECT_THAT(text, HasSubstr("    targetItems (table)\n"));
  EXPECT_THAT(text, HasSubstr("        targetPath (string)\n"));
  EXPECT_THAT(text, HasSubstr("    usePSFScaleSNR (boolean)  [read-only]\n"));
  EXPECT_THAT(text, HasSubstr("    version (double)  [read-only]\n"));
  EXPECT_THAT(text, HasSubstr("      default:            5.0\n"));
  EXPECT_THAT(text, HasSubstr("GlobalExecutionValidation"));
}

TEST(ModuleLoader, UnloadingLeavesNothingSoTheLibraryLoadsAgain) {
  SharedSlot().reset();
  {
    std::unique_ptr<LoadedModule> first = LoadedModule::Load(TRVX_TEST_MODULE_PATH);
    ProcessInstance i = ProcessInstance::Create(first->Process("TRVXnml"));
    i.Write("outputDirectory", std::u16string(u"/before"));
  }
  void* resident = dlopen(TRVX_TEST_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD);
  EXPECT_EQ(resident, nullptr);
  if (resident != nullptr) dlclose(resident);

  // A fresh installation: new module object, new binding, new definitions.
  ProcessInstance i = ProcessInstance::Create(Module().Process("TRVXnml"));
  EXPECT_EQ(std::get<std::u16string>(i.Read("outputDirectory")), u"");
  EXPECT_EQ(Module().Definitions().processes.size(), 1u);
}

// ---------------------------------------------------------------------------
// Failures name the file and say what went wrong, in one message.

std::string LoadError(const std::string& path) {
  try {
    LoadedModule::Load(path);
  } catch (const ModuleLoadError& e) {
    return e.what();
  }
  return "(loaded)";
}

TEST(ModuleLoaderErrors, MissingFile) {
  const std::string path = "/nonexistent/dir/TRVXnml-pxm.so";
  EXPECT_THAT(LoadError(path), StartsWith("cannot load module " + path + ": "));
  EXPECT_THAT(LoadError(path), HasSubstr("No such file"));
}

TEST(ModuleLoaderErrors, NotALibrary) {
  const auto path = std::filesystem::temp_directory_path() / ("trvx_loader_not_a_library_" + std::to_string(::getpid()) + ".so");
  std::ofstream(path) << "this is text, not a shared library\n";
  const std::string message = LoadError(path.string());
  std::filesystem::remove(path);
  EXPECT_THAT(message, StartsWith("cannot load module " + path.string() + ": "));
  EXPECT_THAT(message, HasSubstr(path.string() + ": "));  // the dynamic loader's reason
}

TEST(ModuleLoaderErrors, ALibraryWithoutEntryPoints) {
  Dl_info info{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(&dlopen), &info), 0);  // the C library
  ASSERT_NE(info.dli_fname, nullptr);
  EXPECT_EQ(LoadError(info.dli_fname), std::string("cannot load module ") + info.dli_fname +
                                           ": missing entry point IdentifyPixInsightModule");
}

TEST(ModuleLoaderErrors, TheSameLibraryIsNotLoadedTwice) {
  Module();
  EXPECT_EQ(LoadError(TRVX_TEST_MODULE_PATH),
            std::string("cannot load module ") + TRVX_TEST_MODULE_PATH +
                ": the library is already loaded in this process");
  EXPECT_TRUE(Module().IsLoaded());
}

TEST(ModuleLoaderPaths, TheDefaultModuleSitsBesideTheExecutable) {
  const std::string dir = ExecutableDirectory();
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir) / "test_hostapp"));
  EXPECT_EQ(DefaultModulePath(), dir + "/TRVXnml-pxm.so");
}

}  // namespace
}  // namespace hostapp
