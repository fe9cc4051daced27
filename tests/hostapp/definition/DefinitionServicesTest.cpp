// A definition sequence made through the host functions, as a module makes
// it, and what the host keeps of it.
#include <gtest/gtest.h>

#include "hostapp/definition/DefinitionServices.h"
#include "hostapp/loader/FakeModule.h"
#include "hostapp/services/HostErrors.h"

namespace hostapp {
namespace {

TEST(DefinitionServices, RecordsTheFakeModuleInCallOrder) {
  const ModuleDefinition m = fake::Define();
  const std::vector<std::string> names = m.CallNames();
  ASSERT_GE(names.size(), 6u);
  EXPECT_EQ(names.front(), "ModuleDefinition/EnterModuleDefinitionContext");
  EXPECT_EQ(names[1], "ProcessDefinition/EnterProcessDefinitionContext");
  EXPECT_EQ(names[2], "ProcessDefinition/BeginProcessDefinition");
  EXPECT_EQ(m.calls[2].detail, "Fake");
  EXPECT_EQ(names.back(), "ModuleDefinition/ExitModuleDefinitionContext");
  for (const DefinitionCall& c : m.calls) EXPECT_TRUE(c.accepted) << c.function;

  // The table's columns are defined between its own begin and end.
  std::vector<std::string> tableCalls;
  bool inTable = false;
  for (const DefinitionCall& c : m.calls) {
    if (c.function == "ProcessDefinition/BeginParameterDefinition")
      inTable = c.detail == "items table";
    if (inTable)
      tableCalls.push_back(c.function.substr(18) + (c.detail.empty() ? "" : " " + c.detail));
    if (c.function == "ProcessDefinition/EndParameterDefinition") inTable = false;
  }
  const std::vector<std::string> expected = {
      "BeginParameterDefinition items table",
      "SetParameterProcessVersionRange 0 0",
      "SetParameterRequired 0",
      "SetParameterReadOnly 0",
      "SetParameterLockRoutine items",
      "SetParameterAllocationRoutine items",
      "SetParameterLengthQueryRoutine items",
      "BeginTableColumnDefinition name string",
      "SetParameterProcessVersionRange 0 0",
      "SetParameterRequired 0",
      "SetParameterReadOnly 0",
      "SetParameterLockRoutine name",
      "SetParameterUnlockRoutine name",
      "SetParameterAllocationRoutine name",
      "SetParameterLengthQueryRoutine name",
      "EndTableColumnDefinition name",
      "BeginTableColumnDefinition weight double",
      "SetParameterProcessVersionRange 0 0",
      "SetParameterRequired 0",
      "SetParameterReadOnly 0",
      "SetParameterLockRoutine weight",
      "SetDefaultNumericValue 0",
      "EndTableColumnDefinition weight",
      "SetTableRowLimits 0 3",
      "EndParameterDefinition items",
  };
  EXPECT_EQ(tableCalls, expected);
}

TEST(DefinitionServices, KeepsProcessPropertiesRoutinesAndParameters) {
  const ModuleDefinition m = fake::Define();
  ASSERT_EQ(m.processes.size(), 1u);
  const ProcessDefinition& p = m.processes[0];
  EXPECT_EQ(p.id, "Fake");
  EXPECT_EQ(p.category, "Testing");
  EXPECT_EQ(p.version, 0x102u);
  ASSERT_EQ(p.routines.size(), 8u);
  EXPECT_EQ(p.routines[0].setter, "SetProcessCreationRoutine");
  EXPECT_EQ(p.routines[7].setter, "SetProcessPostGlobalExecutionRoutine");
  EXPECT_NE(p.Routine("SetProcessClonationRoutine"), nullptr);
  EXPECT_EQ(p.Routine("SetProcessAssignmentRoutine"), nullptr);

  std::vector<std::string> ids;
  for (const ParameterDefinition& q : p.parameters)
    ids.push_back(q.id + ":" + ParameterTypeName(q.typeCode));
  EXPECT_EQ(ids, (std::vector<std::string>{"items:table", "label:string", "enabled:boolean",
                                           "frozen:boolean", "gain:double"}));
  const ParameterDefinition& items = p.parameters[0];
  ASSERT_EQ(items.columns.size(), 2u);
  EXPECT_EQ(items.columns[0].id, "name");
  EXPECT_NE(items.columns[0].unlock, nullptr);
  EXPECT_EQ(items.columns[1].defaultNumeric, 0.0);
  const ParameterDefinition* gain = p.FindParameter("gain");
  ASSERT_NE(gain, nullptr);
  EXPECT_EQ(gain->defaultNumeric, 2.5);
  EXPECT_EQ(gain->precision, 3);
  EXPECT_EQ(gain->scientificNotation, false);
  EXPECT_EQ(gain->numericRange, std::make_pair(0.0, 100.0));
  EXPECT_NE(gain->validation, nullptr);
  EXPECT_TRUE(p.FindParameter("frozen")->readOnly);
  EXPECT_EQ(p.FindParameter("label")->defaultString, std::u16string(u"none"));
  EXPECT_EQ(p.FindParameter("enabled")->defaultBoolean, true);
}

TEST(DefinitionServices, ARefusedCallReportsThroughTheHostsLastError) {
  ResetRecordedDefinitions();
  ClearHostError();
  int process = 0;
  EXPECT_EQ(FAKE_HOST_FN(ProcessDefinition, BeginProcessDefinition)(&process, "P"), 0);
  const uint32_t code = FAKE_HOST_FN(Global, LastError)();
  EXPECT_EQ(code, kHostErrorState);
  api_size length = 0;
  ASSERT_EQ(FAKE_HOST_FN(Global, ErrorMessage)(code, nullptr, &length), 1);
  std::u16string text(length, u'\0');
  ASSERT_EQ(FAKE_HOST_FN(Global, ErrorMessage)(code, text.data(), &length), 1);
  text.resize(length - 1);
  EXPECT_EQ(text,
            u"ProcessDefinition/BeginProcessDefinition: outside the process definition context");
  EXPECT_FALSE(DefinitionContextOpen());
  ResetRecordedDefinitions();
}

}  // namespace
}  // namespace hostapp
