#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ParameterContextDispatcher.h"
#include "framework/ProcessContextDispatcher.h"
#include "process/TRVXFixture.h"
#include "process/TRVXInstance.h"

namespace px {
namespace {

using test::TRVXFixture;
using trvx::test::RecordingHost;
using Calls = std::vector<std::string>;

class TRVXProcessDefinition : public TRVXFixture {};

std::string H(const MetaParameter* p) { return RecordingHost::Text(p); }

TEST_F(TRVXProcessDefinition, TreeAndIdentity) {
  ASSERT_EQ(Module->Length(), 1u) << "the process only; the interface comes later";
  EXPECT_EQ((*Module)[0], TheTRVXProcess);
  EXPECT_EQ(TheTRVXProcess, process);
  ASSERT_EQ(process->Length(), 6u);
  const MetaParameter* expected[] = {TheTRVXTargetItemsParameter, TheTRVXOutputDirectoryParameter,
                                     TheTRVXOverwriteExistingFilesParameter,
                                     TheTRVXUseWeightPostfixParameter,
                                     TheTRVXUsePSFScaleSNRParameter, TheTRVXVersionParameter};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(process->Parameter(i), expected[i]) << i;
  ASSERT_EQ(TheTRVXTargetItemsParameter->Length(), 2u);
  EXPECT_EQ(TheTRVXTargetItemsParameter->Column(0), TheTRVXTargetFullPathParameter);
  EXPECT_EQ(TheTRVXTargetItemsParameter->Column(1), TheTRVXOutputXnmlPathParameter);

  EXPECT_EQ(process->Id(), "TRVXnml");
  EXPECT_EQ(process->Version(), 0x105u);
  EXPECT_EQ(process->DefaultInterface(), nullptr);
  EXPECT_EQ(ProcessContextDispatcher::DefaultInterface(static_cast<MetaProcess*>(process)), nullptr);
  EXPECT_FALSE(process->CanProcessImages());
  EXPECT_TRUE(process->CanProcessViews());
  EXPECT_TRUE(TheTRVXUsePSFScaleSNRParameter->IsReadOnly());
  EXPECT_TRUE(TheTRVXVersionParameter->IsReadOnly());
  EXPECT_FALSE(TheTRVXUseWeightPostfixParameter->IsReadOnly());
}

TEST_F(TRVXProcessDefinition, WholeDefinitionCallSequence) {
  host.Clear();
  process->PerformAPIDefinitions();
  const std::string P = "ProcessDefinition/";
  Calls expected = {
      P + "EnterProcessDefinitionContext()",
      P + "BeginProcessDefinition(" + RecordingHost::Text(static_cast<MetaProcess*>(process)) +
          ", \"TRVXnml\")",
      P + "SetProcessCategory(\"ImageCalibration\")",
      P + "SetProcessVersion(261)",
      P + "SetProcessDescription(\"<html>Convert TRV 'xnml_*.xisf' images into Local "
          "Normalization '.xnml' files.</html>\")",
      P + "SetProcessIconSVGFile(\"@module_icons_dir/TRVXnml.svg\")",
  };
  for (const char* routine :
       {"ClassInitialization", "Creation", "Destruction", "Clonation", "TestClonation", "SetServerHandle",
        "Assignment", "BrowseDocumentation", "ExecutionPreferences", "ExecutionValidation",
        "MaskValidation", "HistoryUpdateValidation", "UndoMode", "PreExecution", "Execution",
        "PostExecution", "GlobalExecutionValidation", "PreGlobalExecution", "GlobalExecution",
        "PostGlobalExecution", "DefaultInterfaceSelection", "InterfaceSelection",
        "InterfaceValidation", "PreReading", "PostReading", "PreWriting", "PostWriting"})
    expected.push_back(P + "SetProcess" + routine + "Routine(fn)");

  auto begin = [&](const char* what, const MetaParameter* p, const char* id, int type,
                   bool readOnly) {
    expected.push_back(P + what + "(" + H(p) + ", \"" + id + "\", " + std::to_string(type) + ")");
    expected.push_back(P + "SetParameterProcessVersionRange(0, 0)");
    expected.push_back(P + "SetParameterRequired(0)");
    expected.push_back(P + "SetParameterReadOnly(" + (readOnly ? "1" : "0") + ")");
    expected.push_back(P + "SetParameterLockRoutine(fn)");
  };
  auto sized = [&] {
    expected.push_back(P + "SetParameterAllocationRoutine(fn)");
    expected.push_back(P + "SetParameterLengthQueryRoutine(fn)");
  };
  begin("BeginParameterDefinition", TheTRVXTargetItemsParameter, "targetItems", 14, false);
  sized();
  begin("BeginTableColumnDefinition", TheTRVXTargetFullPathParameter, "targetPath", 13, false);
  sized();
  expected.push_back(P + "EndTableColumnDefinition()");
  begin("BeginTableColumnDefinition", TheTRVXOutputXnmlPathParameter, "outputXnmlPath", 13, false);
  sized();
  expected.push_back(P + "EndTableColumnDefinition()");
  expected.push_back(P + "EndParameterDefinition()");
  begin("BeginParameterDefinition", TheTRVXOutputDirectoryParameter, "outputDirectory", 13, false);
  sized();
  expected.push_back(P + "EndParameterDefinition()");
  struct Flag {
    const MetaParameter* p;
    const char* id;
    bool readOnly;
    int value;
  };
  for (const Flag& f : {Flag{TheTRVXOverwriteExistingFilesParameter, "overwriteExistingFiles", false, 0},
                        Flag{TheTRVXUseWeightPostfixParameter, "useWeightPostfix", false, 1},
                        Flag{TheTRVXUsePSFScaleSNRParameter, "usePSFScaleSNR", true, 1}}) {
    begin("BeginParameterDefinition", f.p, f.id, 11, f.readOnly);
    expected.push_back(P + "SetDefaultBooleanValue(" + std::to_string(f.value) + ")");
    expected.push_back(P + "EndParameterDefinition()");
  }
  begin("BeginParameterDefinition", TheTRVXVersionParameter, "version", 10, true);
  expected.push_back(P + "SetDefaultNumericValue(5)");
  expected.push_back(P + "SetPrecision(-1)");
  expected.push_back(P + "SetScientificNotation(0)");
  expected.push_back(P + "EndParameterDefinition()");
  expected.push_back(P + "EndProcessDefinition()");
  expected.push_back(P + "ExitProcessDefinitionContext()");

  EXPECT_EQ(host.calls, expected);
}

TEST_F(TRVXProcessDefinition, RegisteredRoutinesAreTheDispatchers) {
  process->PerformAPIDefinitions();
  using D = ProcessContextDispatcher;
  using PD = ParameterContextDispatcher;
  const std::pair<const char*, void*> cases[] = {
      {"SetProcessCreationRoutine", reinterpret_cast<void*>(&D::Create)},
      {"SetProcessDestructionRoutine", reinterpret_cast<void*>(&D::Destroy)},
      {"SetProcessClonationRoutine", reinterpret_cast<void*>(&D::Clone)},
      {"SetProcessTestClonationRoutine", reinterpret_cast<void*>(&D::TestClone)},
      {"SetProcessExecutionValidationRoutine", reinterpret_cast<void*>(&D::CanExecuteOnView)},
      {"SetProcessGlobalExecutionValidationRoutine", reinterpret_cast<void*>(&D::CanExecuteGlobal)},
      {"SetProcessGlobalExecutionRoutine", reinterpret_cast<void*>(&D::ExecuteGlobal)},
      {"SetParameterLockRoutine", reinterpret_cast<void*>(&PD::Lock)},
      {"SetParameterAllocationRoutine", reinterpret_cast<void*>(&PD::Allocate)},
      {"SetParameterLengthQueryRoutine", reinterpret_cast<void*>(&PD::Length)},
  };
  for (const auto& [name, routine] : cases)
    EXPECT_EQ(host.routines[std::string("ProcessDefinition/") + name], routine) << name;
}

// An instance of some other process.
struct OtherProcess : MetaProcess {
  IsoString Id() const override { return "Other"; }
  ProcessImplementation* Create() const override;
  ProcessImplementation* Clone(const ProcessImplementation&) const override { return nullptr; }
};
struct OtherInstance : ProcessImplementation {
  using ProcessImplementation::ProcessImplementation;
};
ProcessImplementation* OtherProcess::Create() const { return new OtherInstance(this); }

TEST_F(TRVXProcessDefinition, CreateAndClone) {
  std::unique_ptr<ProcessImplementation> created(process->Create());
  auto* instance = dynamic_cast<TRVXInstance*>(created.get());
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(instance->Meta(), process);
  instance->outputDirectory = "/out";
  std::unique_ptr<ProcessImplementation> clone(process->Clone(*instance));
  ASSERT_NE(dynamic_cast<TRVXInstance*>(clone.get()), nullptr);
  EXPECT_EQ(static_cast<TRVXInstance*>(clone.get())->outputDirectory, String("/out"));

  OtherProcess other;
  std::unique_ptr<ProcessImplementation> foreign(other.Create());
  EXPECT_EQ(process->Clone(*foreign), nullptr);
  EXPECT_EQ(process->TestClone(*foreign), nullptr);

  host.Clear();
  api_handle handle = ProcessContextDispatcher::Create(static_cast<MetaProcess*>(process));
  ASSERT_NE(handle, nullptr);
  EXPECT_NE(dynamic_cast<TRVXInstance*>(static_cast<ProcessImplementation*>(handle)), nullptr);
  ProcessContextDispatcher::Destroy(handle);
  EXPECT_EQ(host.console, "");
}

}  // namespace
}  // namespace px
