#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/RecordingHost.h"
#include "framework/TestDescriptors.h"
#include "core/Exception.h"
#include "framework/MetaNumeric.h"
#include "framework/MetaString.h"
#include "framework/MetaTable.h"
#include "host/APIError.h"

namespace px {
namespace {

using test::BareProcess;
using test::ModuleScope;
using trvx::test::RecordingHost;
using Calls = std::vector<std::string>;

// A process whose every published property and flag is a field.
struct ConfigurableProcess : BareProcess {
  IsoString id = "Conf", aliases, categories, category, svg;
  String description, comment, svgFile, iconFile, smallIconFile;
  const char** xpm = nullptr;
  const char** smallXpm = nullptr;
  bool flip = false;  // every capability flag inverted

  IsoString Id() const override { return id; }
  IsoString Aliases() const override { return aliases; }
  IsoString Categories() const override { return categories; }
  IsoString Category() const override { return category.IsEmpty() ? Categories() : category; }
  String Description() const override { return description; }
  String ScriptComment() const override { return comment; }
  IsoString IconImageSVG() const override { return svg; }
  String IconImageSVGFile() const override { return svgFile; }
  const char** IconImageXPM() const override { return xpm; }
  String IconImageFile() const override { return iconFile; }
  const char** SmallIconImageXPM() const override { return smallXpm; }
  String SmallIconImageFile() const override { return smallIconFile; }
  bool CanProcessViews() const override { return !flip; }
  bool CanProcessGlobal() const override { return !flip; }
  bool CanProcessImages() const override { return flip; }
  bool CanProcessCommandLines() const override { return flip; }
  bool CanEditPreferences() const override { return flip; }
  bool CanBrowseDocumentation() const override { return !flip; }
  bool IsAssignable() const override { return !flip; }
  bool NeedsInitialization() const override { return flip; }
  bool NeedsValidation() const override { return flip; }
  bool CanProcessIPCMessages() const override { return flip; }
};

std::vector<std::string> Without(const Calls& calls, const std::string& fragment) {
  Calls out;
  for (const auto& c : calls)
    if (c.find(fragment) == std::string::npos) out.push_back(c);
  return out;
}

class DefinitionSequence : public ::testing::Test {
 protected:
  void SetUp() override { host.Bind(); }
  // The process's own calls, without the routine registrations.
  Calls Identity() {
    host.Clear();
    process->PerformAPIDefinitions();
    return Without(host.CallsOf("ProcessDefinition/"), "Routine(");
  }
  RecordingHost host;
  ModuleScope scope;
  ConfigurableProcess* process = new ConfigurableProcess;
  std::string handle = RecordingHost::Text(static_cast<MetaProcess*>(process));
};

TEST_F(DefinitionSequence, IdentityCallsOnlyForWhatIsSet) {
  EXPECT_EQ(Identity(), (Calls{
                            "ProcessDefinition/EnterProcessDefinitionContext()",
                            "ProcessDefinition/BeginProcessDefinition(" + handle + ", \"Conf\")",
                            "ProcessDefinition/SetProcessVersion(256)",
                            "ProcessDefinition/EndProcessDefinition()",
                            "ProcessDefinition/ExitProcessDefinitionContext()",
                        }));
  process->aliases = " \tOld,Older\n";
  process->categories = "A,B";
  process->category = "Single";
  process->description = "d";
  process->comment = "c";
  EXPECT_EQ(Identity(), (Calls{
                            "ProcessDefinition/EnterProcessDefinitionContext()",
                            "ProcessDefinition/BeginProcessDefinition(" + handle + ", \"Conf\")",
                            "ProcessDefinition/SetProcessCategory(\"A,B\")",
                            "ProcessDefinition/SetProcessVersion(256)",
                            "ProcessDefinition/SetProcessAliasIdentifiers(\"Old,Older\")",
                            "ProcessDefinition/SetProcessDescription(\"d\")",
                            "ProcessDefinition/SetProcessScriptComment(\"c\")",
                            "ProcessDefinition/EndProcessDefinition()",
                            "ProcessDefinition/ExitProcessDefinitionContext()",
                        }));
  process->categories = "";
  Calls calls = Identity();
  EXPECT_EQ(calls[2], "ProcessDefinition/SetProcessCategory(\"Single\")");
}

TEST_F(DefinitionSequence, FirstIconSourceWins) {
  static const char* xpmData[] = {"1 1 1 1", nullptr};
  struct Case {
    const char* svg;
    const char* svgFile;
    bool xpm;
    const char* file;
    bool smallXpm;
    const char* smallFile;
    Calls expected;
  };
  const std::string xpmText = RecordingHost::Text(xpmData);
  const Case cases[] = {
      {"<svg/>", "f.svg", true, "i.png", true, "s.png",
       {"ProcessDefinition/SetProcessIconSVG(\"<svg/>\")"}},
      {"", "f.svg", true, "i.png", true, "s.png",
       {"ProcessDefinition/SetProcessIconSVGFile(\"f.svg\")"}},
      {"", "", true, "i.png", false, "s.png",
       {"ProcessDefinition/SetProcessIconImage(" + xpmText + ")",
        "ProcessDefinition/SetProcessIconSmallImageFile(\"s.png\")"}},
      {"", "", false, "i.png", true, "",
       {"ProcessDefinition/SetProcessIconImageFile(\"i.png\")",
        "ProcessDefinition/SetProcessIconSmallImage(" + xpmText + ")"}},
      {"", "", false, "", false, "", {}},
  };
  for (const Case& c : cases) {
    process->svg = c.svg;
    process->svgFile = c.svgFile;
    process->xpm = c.xpm ? xpmData : nullptr;
    process->iconFile = c.file;
    process->smallXpm = c.smallXpm ? xpmData : nullptr;
    process->smallIconFile = c.smallFile;
    Calls icons;
    for (const auto& call : Identity())
      if (call.find("SetProcessIcon") != std::string::npos) icons.push_back(call);
    EXPECT_EQ(icons, c.expected);
  }
}

Calls RoutineNames(const RecordingHost& host) {
  Calls names;
  for (const auto& call : host.CallsOf("ProcessDefinition/SetProcess"))
    if (call.find("Routine(fn)") != std::string::npos)
      names.push_back(call.substr(std::string("ProcessDefinition/").size()));
  return names;
}

TEST_F(DefinitionSequence, RoutinesFollowTheCapabilityFlags) {
  Identity();
  Calls standard = RoutineNames(host);
  process->flip = true;
  Identity();
  Calls flipped = RoutineNames(host);

  auto has = [](const Calls& calls, const std::string& name) {
    return std::find(calls.begin(), calls.end(), name + "Routine(fn)") != calls.end();
  };
  for (const char* always : {"SetProcessClassInitialization", "SetProcessCreation",
                             "SetProcessDestruction", "SetProcessClonation", "SetProcessTestClonation",
                             "SetProcessSetServerHandle", "SetProcessExecutionPreferences",
                             "SetProcessDefaultInterfaceSelection", "SetProcessInterfaceSelection",
                             "SetProcessInterfaceValidation", "SetProcessPreReading",
                             "SetProcessPostReading", "SetProcessPreWriting",
                             "SetProcessPostWriting"}) {
    EXPECT_TRUE(has(standard, always)) << always;
    EXPECT_TRUE(has(flipped, always)) << always;
  }
  for (const char* defaultOn :
       {"SetProcessAssignment", "SetProcessBrowseDocumentation", "SetProcessExecutionValidation",
        "SetProcessMaskValidation", "SetProcessHistoryUpdateValidation", "SetProcessUndoMode",
        "SetProcessPreExecution", "SetProcessExecution", "SetProcessPostExecution",
        "SetProcessGlobalExecutionValidation", "SetProcessPreGlobalExecution",
        "SetProcessGlobalExecution", "SetProcessPostGlobalExecution"}) {
    EXPECT_TRUE(has(standard, defaultOn)) << defaultOn;
    EXPECT_FALSE(has(flipped, defaultOn)) << defaultOn;
  }
  for (const char* defaultOff :
       {"SetProcessInitialization", "SetProcessValidation", "SetProcessCommandLineProcessing",
        "SetProcessEditPreferences", "SetProcessImageExecutionValidation",
        "SetProcessImageExecution", "SetProcessIPCStart", "SetProcessIPCStop",
        "SetProcessIPCSetParameters", "SetProcessIPCGetStatus"}) {
    EXPECT_FALSE(has(standard, defaultOff)) << defaultOff;
    EXPECT_TRUE(has(flipped, defaultOff)) << defaultOff;
  }
  // Nothing registered beyond the three groups.
  EXPECT_EQ(standard.size(), 27u);
  EXPECT_EQ(flipped.size(), 24u);
}

// Parameters with every optional property set.
struct RichDouble : MetaDouble {
  using MetaDouble::MetaDouble;
  IsoString Id() const override { return "rich"; }
  IsoString Aliases() const override { return " old "; }
  String Description() const override { return "desc"; }
  String Comment() const override { return "cmt"; }
  bool IsRequired() const override { return true; }
  bool NeedsUnlocking() const override { return true; }
  bool NeedsValidation() const override { return true; }
  uint32_t FirstProcessVersion() const override { return 2; }
  uint32_t LastProcessVersion() const override { return 9; }
  double DefaultValue() const override { return 0.5; }
  double MinimumValue() const override { return -1; }
  double MaximumValue() const override { return 1; }
  int Precision() const override { return 3; }
  bool ScientificNotation() const override { return true; }
};
struct LimitedString : MetaString {
  using MetaString::MetaString;
  IsoString Id() const override { return "s"; }
  String DefaultValue() const override { return "def"; }
  String AllowedCharacters() const override { return "abc"; }
  size_t MinLength() const override { return 1; }
  size_t MaxLength() const override { return 0; }
};
struct LimitedTable : MetaTable {
  using MetaTable::MetaTable;
  IsoString Id() const override { return "t"; }
  size_t MaxLength() const override { return 4; }
};

TEST_F(DefinitionSequence, ParametersPublishEveryPropertyThatIsSet) {
  auto* d = new RichDouble(process);
  auto* t = new LimitedTable(process);
  auto* s = new LimitedString(t);
  host.Clear();
  process->PerformAPIDefinitions();
  Calls calls = host.CallsOf("ProcessDefinition/");
  auto first = std::find_if(calls.begin(), calls.end(), [](const std::string& c) {
    return c.find("BeginParameterDefinition") != std::string::npos;
  });
  Calls parameters(first, calls.end() - 2);
  const std::string P = "ProcessDefinition/";
  EXPECT_EQ(parameters,
            (Calls{
                P + "BeginParameterDefinition(" + RecordingHost::Text(static_cast<MetaParameter*>(d)) +
                    ", \"rich\", 10)",
                P + "SetParameterProcessVersionRange(2, 9)",
                P + "SetParameterRequired(1)",
                P + "SetParameterReadOnly(0)",
                P + "SetParameterAliasIdentifiers(\"old\")",
                P + "SetParameterDescription(\"desc\")",
                P + "SetParameterScriptComment(\"cmt\")",
                P + "SetParameterLockRoutine(fn)",
                P + "SetParameterUnlockRoutine(fn)",
                P + "SetParameterValidationRoutine(fn)",
                P + "SetDefaultNumericValue(0.5)",
                P + "SetValidNumericRange(-1, 1)",
                P + "SetPrecision(3)",
                P + "SetScientificNotation(1)",
                P + "EndParameterDefinition()",
                P + "BeginParameterDefinition(" + RecordingHost::Text(static_cast<MetaParameter*>(t)) +
                    ", \"t\", 14)",
                P + "SetParameterProcessVersionRange(0, 0)",
                P + "SetParameterRequired(0)",
                P + "SetParameterReadOnly(0)",
                P + "SetParameterLockRoutine(fn)",
                P + "SetParameterAllocationRoutine(fn)",
                P + "SetParameterLengthQueryRoutine(fn)",
                P + "BeginTableColumnDefinition(" + RecordingHost::Text(static_cast<MetaParameter*>(s)) +
                    ", \"s\", 13)",
                P + "SetParameterProcessVersionRange(0, 0)",
                P + "SetParameterRequired(0)",
                P + "SetParameterReadOnly(0)",
                P + "SetParameterLockRoutine(fn)",
                P + "SetParameterAllocationRoutine(fn)",
                P + "SetParameterLengthQueryRoutine(fn)",
                P + "SetDefaultStringValue(\"def\")",
                P + "SetStringAllowedCharacters(\"abc\")",
                P + "SetStringLengthLimits(1, 0)",
                P + "EndTableColumnDefinition()",
                P + "SetTableRowLimits(0, 4)",
                P + "EndParameterDefinition()",
            }));
  EXPECT_FALSE(MetaParameter::inTableDefinition);
}

TEST_F(DefinitionSequence, RefusedCallIsAnAPIFunctionErrorNamingIt) {
  new LimitedTable(process);
  new LimitedString(static_cast<MetaTable*>((*process)[0]));
  for (const char* name : {"ProcessDefinition/SetProcessVersion",
                           "ProcessDefinition/BeginTableColumnDefinition",
                           "ProcessDefinition/SetProcessCreationRoutine"}) {
    host.failing = name;
    try {
      process->PerformAPIDefinitions();
      ADD_FAILURE() << name << " refused, yet the definition succeeded";
    } catch (const APIFunctionError& e) {
      std::string function = std::string(name).substr(std::string("ProcessDefinition/").size());
      EXPECT_EQ(e.Message().ToStdUTF8(), function + "(): API function error");
    }
    EXPECT_FALSE(MetaParameter::inTableDefinition) << "the column flag is cleared after a failure";
  }
}

TEST_F(DefinitionSequence, ModuleSequenceWrapsItsChildren) {
  host.Clear();
  scope.module->PerformAPIDefinitions();
  Calls module = host.CallsOf("ModuleDefinition/");
  EXPECT_EQ(module, (Calls{"ModuleDefinition/EnterModuleDefinitionContext()",
                           "ModuleDefinition/SetModuleOnLoadRoutine(fn)",
                           "ModuleDefinition/SetModuleOnUnloadRoutine(fn)",
                           "ModuleDefinition/SetModuleAllocationRoutine(fn)",
                           "ModuleDefinition/SetModuleDeallocationRoutine(fn)",
                           "ModuleDefinition/ExitModuleDefinitionContext()"}));
  auto at = [&](const std::string& call) {
    return std::find(host.calls.begin(), host.calls.end(), call) - host.calls.begin();
  };
  EXPECT_LT(at(module[4]), at("ProcessDefinition/EnterProcessDefinitionContext()"));
  EXPECT_GT(at(module[5]), at("ProcessDefinition/ExitProcessDefinitionContext()"));
}

}  // namespace
}  // namespace px
