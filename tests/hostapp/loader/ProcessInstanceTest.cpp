// The host's instances and parameter exchange, against the test-side fake
// module: what is called in which order, values in and out, refusals.
#include <gtest/gtest.h>

#include <memory>

#include "FakeModule.h"
#include "hostapp/console/HostConsole.h"
#include "hostapp/loader/LoaderErrors.h"
#include "hostapp/loader/ProcessCatalog.h"
#include "hostapp/loader/ProcessInstance.h"
#include "hostapp/services/HostErrors.h"

namespace hostapp {
namespace {

class FakeInstances : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = std::make_shared<const ModuleDefinition>(fake::Define());
    ASSERT_EQ(module_->processes.size(), 1u);
    fake::Log().clear();
  }
  void TearDown() override {
    ProcessCatalog::Withdraw(module_.get());
    EXPECT_EQ(fake::LiveInstances(), 0) << "an instance was not destroyed";
  }
  const ProcessDefinition& Process() const { return module_->processes[0]; }
  static fake::Instance& Storage(const ProcessInstance& i) {
    return *static_cast<fake::Instance*>(i.Handle());
  }
  std::vector<std::string> TakeLog() {
    std::vector<std::string> log;
    log.swap(fake::Log());
    return log;
  }

  std::shared_ptr<const ModuleDefinition> module_;
};

TEST_F(FakeInstances, CreationSetsTheServerHandleAndDestructionFollowsScope) {
  {
    ProcessInstance a = ProcessInstance::Create(Process());
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"create", "server"}));
    EXPECT_NE(Storage(a).server, nullptr);
    ProcessInstance b = std::move(a);  // the moved-from instance destroys nothing
    EXPECT_EQ(a.Handle(), nullptr);
    EXPECT_EQ(fake::LiveInstances(), 1);
  }
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"destroy"}));
}

TEST_F(FakeInstances, ANewInstanceReadsTheModulesDefaults) {
  ProcessInstance i = ProcessInstance::Create(Process());
  EXPECT_EQ(std::get<TableValue>(i.Read("items")).size(), 0u);
  EXPECT_EQ(std::get<std::u16string>(i.Read("label")), u"none");
  EXPECT_EQ(std::get<bool>(i.Read("enabled")), true);
  EXPECT_EQ(std::get<bool>(i.Read("frozen")), true);
  EXPECT_EQ(std::get<double>(i.Read("gain")), 2.5);
}

TEST_F(FakeInstances, WritingATableSetsTheRowCountFirstThenFillsEachCell) {
  ProcessInstance i = ProcessInstance::Create(Process());
  TakeLog();
  i.Write("items", TableValue{{u"abc", 1.5}, {u"", 2.0}});
  EXPECT_EQ(TakeLog(),
            (std::vector<std::string>{"allocate items 2", "allocate name[0] 3", "lock name[0]",
                                      "unlock name[0]", "lock weight[0]",
                                      "allocate name[1] 0",  // an empty cell is sized, never locked
                                      "lock weight[1]"}));
  ASSERT_EQ(Storage(i).rows.size(), 2u);
  EXPECT_EQ(Storage(i).rows[0].name, u"abc");
  EXPECT_EQ(Storage(i).rows[1].weight, 2.0);
}

TEST_F(FakeInstances, ReadingLearnsEachLengthBeforeLocking) {
  ProcessInstance i = ProcessInstance::Create(Process());
  Storage(i).rows = {{u"", 7.0}};
  TakeLog();
  // The fake locks an empty string to a null address; reading must not touch it.
  EXPECT_EQ(std::get<TableValue>(i.Read("items")), (TableValue{{u"", 7.0}}));
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"length items", "length name[0]", "lock name[0]",
                                                 "unlock name[0]", "lock weight[0]"}));
}

TEST_F(FakeInstances, ValuesRoundTripIncludingNonAsciiAndEmptyStrings) {
  ProcessInstance i = ProcessInstance::Create(Process());
  const TableValue rows = {{u"caf\u00e9 \u20ac", 0.25}, {u"", -1.0}, {u"\U0001D11E", 1e300}};
  i.Write("items", rows);
  i.Write("label", std::u16string(u"\u00e9t\u00e9"));
  i.Write("enabled", false);
  i.Write("gain", 99.5);
  EXPECT_EQ(std::get<TableValue>(i.Read("items")), rows);
  EXPECT_EQ(std::get<std::u16string>(i.Read("label")), u"\u00e9t\u00e9");
  EXPECT_EQ(std::get<bool>(i.Read("enabled")), false);
  EXPECT_EQ(std::get<double>(i.Read("gain")), 99.5);

  // A shorter table replaces every row; an empty string empties the storage.
  i.Write("items", TableValue{{u"x", 3.0}});
  i.Write("label", std::u16string());
  EXPECT_EQ(std::get<TableValue>(i.Read("items")), (TableValue{{u"x", 3.0}}));
  EXPECT_EQ(std::get<std::u16string>(i.Read("label")), u"");
}

struct WriteRefusal {
  const char* name;
  const char* parameter;
  ParameterValue value;
  const char* message;
};
// Cases print as their names in test listings.
void PrintTo(const WriteRefusal& c, std::ostream* os) { *os << c.name; }


class FakeWriteRefusals : public FakeInstances,
                          public ::testing::WithParamInterface<WriteRefusal> {};

TEST_P(FakeWriteRefusals, ThrowNamingTheParameter) {
  const WriteRefusal& c = GetParam();
  ProcessInstance i = ProcessInstance::Create(Process());
  try {
    i.Write(c.parameter, c.value);
    FAIL() << "no error for " << c.name;
  } catch (const ProcessInstanceError& e) {
    EXPECT_STREQ(e.what(), c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, FakeWriteRefusals,
    ::testing::Values(
        WriteRefusal{"UnknownParameter", "nope", 1.0, "process 'Fake': no parameter 'nope'"},
        WriteRefusal{"ReadOnly", "frozen", false, "parameter 'frozen' is read-only"},
        WriteRefusal{"WrongKind", "gain", std::u16string(u"1"),
                     "parameter 'gain': a double value is needed (row 0)"},
        WriteRefusal{"TableForScalar", "enabled", TableValue{},
                     "parameter 'enabled': a table value was given for a boolean parameter"},
        WriteRefusal{"OutsideRange", "gain", 100.5,
                     "parameter 'gain': value outside the valid range (row 0)"},
        WriteRefusal{"ModuleValidation", "gain", 13.0,
                     "parameter 'gain': the module refused the value (row 0)"},
        WriteRefusal{"ModuleAllocation", "label", std::u16string(41, u'a'),
                     "parameter 'label': the module refused to allocate 41 (row 0)"},
        WriteRefusal{"DisallowedCharacter", "label", std::u16string(u"abC"),
                     "parameter 'label': character 'C' is not allowed (row 0)"},
        WriteRefusal{"TooManyRows", "items",
                     TableValue{{u"a", 1.0}, {u"b", 1.0}, {u"c", 1.0}, {u"d", 1.0}},
                     "parameter 'items': 4 rows, outside the allowed range"},
        WriteRefusal{"RowWithMissingCell", "items", TableValue{{u"a"}},
                     "parameter 'items': 1 cells in row 0, the table has 2 columns"},
        WriteRefusal{"CellOfWrongKind", "items", TableValue{{1.0, 1.0}},
                     "parameter 'name': a string value is needed (row 0)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FakeInstances, CloneCopiesValuesIntoAnIndependentInstance) {
  ProcessInstance a = ProcessInstance::Create(Process());
  a.Write("label", std::u16string(u"first"));
  ProcessInstance b = a.Clone();
  EXPECT_NE(b.Handle(), a.Handle());
  EXPECT_EQ(std::get<std::u16string>(b.Read("label")), u"first");
  b.Write("label", std::u16string(u"second"));
  EXPECT_EQ(std::get<std::u16string>(a.Read("label")), u"first");
}

TEST_F(FakeInstances, GlobalExecutionRunsValidationBeforeExecutionAndAfter) {
  ProcessInstance i = ProcessInstance::Create(Process());
  i.Write("items", TableValue{{u"a", 1.0}});
  TakeLog();
  EXPECT_EQ(i.ExecuteGlobal().outcome, GlobalExecutionResult::Outcome::Succeeded);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"validate", "before", "execute", "after"}));

  Storage(i).executeResult = false;
  EXPECT_EQ(i.ExecuteGlobal().outcome, GlobalExecutionResult::Outcome::Failed);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"validate", "before", "execute", "after"}));

  Storage(i).beforeResult = false;
  EXPECT_EQ(i.ExecuteGlobal().outcome, GlobalExecutionResult::Outcome::NotStarted);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"validate", "before"}));
}

TEST_F(FakeInstances, RefusedValidationBringsTheModulesReasonAndRunsNothing) {
  ProcessInstance i = ProcessInstance::Create(Process());
  TakeLog();
  std::u16string reason;
  EXPECT_FALSE(i.ValidateGlobal(reason));
  EXPECT_EQ(reason, u"Nothing to do: no rows.");
  const GlobalExecutionResult r = i.ExecuteGlobal();
  EXPECT_EQ(r.outcome, GlobalExecutionResult::Outcome::Refused);
  EXPECT_EQ(r.reason, u"Nothing to do: no rows.");
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"validate", "validate"}));
}

class FakeServices : public FakeInstances {
 protected:
  void SetUp() override {
    FakeInstances::SetUp();
    ProcessCatalog::Publish(module_);
    previousSink_ = HostConsole::Instance().SetTerminalSink(nullptr);
    HostConsole::Instance().StartRecording();
  }
  void TearDown() override {
    HostConsole::Instance().StopRecording();
    HostConsole::Instance().SetTerminalSink(previousSink_);
    FakeInstances::TearDown();
  }
  HostConsole::TerminalSink previousSink_;
};

TEST_F(FakeServices, LaunchRunsAModuleInstanceGlobally) {
  auto launch = FAKE_HOST_FN(Global, LaunchProcessInstance);
  ProcessInstance i = ProcessInstance::Create(Process());
  i.Write("items", TableValue{{u"a", 1.0}});
  TakeLog();
  EXPECT_EQ(launch(Process().handle, i.Handle(), API_LAUNCH_GLOBAL, 0), 1);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"validate", "before", "execute", "after"}));
}

TEST_F(FakeServices, LaunchShowsTheRefusalAndFailsOtherwise) {
  auto launch = FAKE_HOST_FN(Global, LaunchProcessInstance);
  ProcessInstance i = ProcessInstance::Create(Process());
  ClearHostError();
  EXPECT_EQ(launch(Process().handle, i.Handle(), API_LAUNCH_GLOBAL, 0), 0);
  EXPECT_EQ(LastHostError(), kHostErrorState);
  EXPECT_EQ(HostErrorMessage(kHostErrorState), u"Nothing to do: no rows.");
  const auto writes = HostConsole::Instance().Recorded();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].text, u"\x1b[31mNothing to do: no rows.\x1b[39m");

  int stranger = 0;
  EXPECT_EQ(launch(&stranger, i.Handle(), API_LAUNCH_GLOBAL, 0), 0);
  EXPECT_EQ(LastHostError(), kHostErrorInvalidHandle);
  EXPECT_EQ(launch(Process().handle, i.Handle(), API_LAUNCH_CURRENT_VIEW, 0), 0);
  EXPECT_EQ(LastHostError(), kHostErrorState);
  EXPECT_EQ(launch(Process().handle, nullptr, API_LAUNCH_GLOBAL, 0), 0);
  EXPECT_EQ(LastHostError(), kHostErrorInvalidArgument);
}

TEST_F(FakeServices, CloneProcessInstanceCopiesThroughTheModule) {
  ProcessInstance i = ProcessInstance::Create(Process());
  i.Write("gain", 7.0);
  api_handle copy = FAKE_HOST_FN(Process, CloneProcessInstance)(nullptr, i.Handle(), 0);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, i.Handle());
  EXPECT_EQ(static_cast<fake::Instance*>(copy)->gain, 7.0);
  // Releasing the copy as a host object destroys it through the module.
  int live = fake::LiveInstances();
  FAKE_HOST_FN(Global, DestroyObject)(copy);
  EXPECT_EQ(fake::LiveInstances(), live - 1);
}

TEST_F(FakeServices, DocumentationIsNotAvailable) {
  ClearHostError();
  EXPECT_EQ(FAKE_HOST_FN(Global, BrowseProcessDocumentation)(Process().handle, 0), 0);
  EXPECT_EQ(LastHostError(), kHostErrorState);
}

}  // namespace
}  // namespace hostapp
