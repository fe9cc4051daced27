// The host's checks of definition calls, and what it records.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "hostapp/definition/DefinitionRecorder.h"
#include "hostapp/services/HostErrors.h"
#include "hostapp/services/Resolver.h"
#include "hostapp/services/ServiceRegistry.h"

namespace hostapp {
namespace {

int s_process, s_parameter, s_column;
void* Routine() { return reinterpret_cast<void*>(&Routine); }

using R = DefinitionRecorder;
using Step = std::function<bool(R&)>;

// Opens a module, a process context and process "P".
bool OpenProcess(R& r) {
  return r.EnterModuleContext() && r.EnterProcessContext() && r.BeginProcess(&s_process, "P");
}
bool OpenParameter(R& r, int32_t type) {
  return OpenProcess(r) && r.BeginParameter(&s_parameter, "p", type);
}

struct RefusalCase {
  const char* name;
  Step setup;  // must succeed
  Step call;   // must be refused
  uint32_t code;
};
// Cases print as their names in test listings.
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }


class DefinitionRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(DefinitionRefusals, RefusedWithHostErrorAndRecorded) {
  const RefusalCase& c = GetParam();
  R r;
  ASSERT_TRUE(c.setup(r)) << "setup of " << c.name;
  const size_t callsBefore = r.Record().calls.size();
  ClearHostError();
  EXPECT_FALSE(c.call(r));
  EXPECT_EQ(LastHostError(), c.code);
  EXPECT_FALSE(HostErrorMessage(c.code).empty());
  ASSERT_EQ(r.Record().calls.size(), callsBefore + 1);
  EXPECT_FALSE(r.Record().calls.back().accepted);
}

const auto kState = kHostErrorState;
const auto kArg = kHostErrorInvalidArgument;
Step Nothing = [](R&) { return true; };

INSTANTIATE_TEST_SUITE_P(
    Contexts, DefinitionRefusals,
    ::testing::Values(
        RefusalCase{"BeginProcessOutsideContext", [](R& r) { return r.EnterModuleContext(); },
                    [](R& r) { return r.BeginProcess(&s_process, "P"); }, kState},
        RefusalCase{"ProcessContextTwice", [](R& r) { return r.EnterProcessContext(); },
                    [](R& r) { return r.EnterProcessContext(); }, kState},
        RefusalCase{"ModuleContextTwice", [](R& r) { return r.EnterModuleContext(); },
                    [](R& r) { return r.EnterModuleContext(); }, kState},
        RefusalCase{"ModuleRoutineOutsideModule", Nothing,
                    [](R& r) { return r.SetModuleRoutine(R::ModuleRoutine::OnLoad, Routine()); },
                    kState},
        RefusalCase{"ModuleRoutineInsideProcessContext",
                    [](R& r) { return r.EnterModuleContext() && r.EnterProcessContext(); },
                    [](R& r) { return r.SetModuleRoutine(R::ModuleRoutine::OnUnload, Routine()); },
                    kState},
        RefusalCase{"NullModuleRoutine", [](R& r) { return r.EnterModuleContext(); },
                    [](R& r) { return r.SetModuleRoutine(R::ModuleRoutine::OnLoad, nullptr); },
                    kArg},
        RefusalCase{"ExitModuleWithProcessContextOpen",
                    [](R& r) { return r.EnterModuleContext() && r.EnterProcessContext(); },
                    [](R& r) { return r.ExitModuleContext(); }, kState},
        RefusalCase{"ExitProcessContextWithProcessOpen", OpenProcess,
                    [](R& r) { return r.ExitProcessContext(); }, kState},
        RefusalCase{"SecondProcessWhileOneIsOpen", OpenProcess,
                    [](R& r) { return r.BeginProcess(&s_column, "Q"); }, kState},
        RefusalCase{"ProcessIdNotAnIdentifier", [](R& r) { return r.EnterProcessContext(); },
                    [](R& r) { return r.BeginProcess(&s_process, "1st"); }, kArg},
        RefusalCase{"NullProcessHandle", [](R& r) { return r.EnterProcessContext(); },
                    [](R& r) { return r.BeginProcess(nullptr, "P"); }, kArg},
        RefusalCase{"ProcessDefinedTwice", [](R& r) { return OpenProcess(r) && r.EndProcess(); },
                    [](R& r) { return r.BeginProcess(&s_column, "P"); }, kArg},
        RefusalCase{"ProcessSetterWithoutProcess", [](R& r) { return r.EnterProcessContext(); },
                    [](R& r) { return r.SetProcessVersion(1); }, kState},
        RefusalCase{"ProcessSetterInsideParameter",
                    [](R& r) { return OpenParameter(r, API_PARTYPE_BOOLEAN); },
                    [](R& r) { return r.SetProcessCategory("C"); }, kState},
        RefusalCase{"NullProcessRoutine", OpenProcess,
                    [](R& r) { return r.SetProcessRoutine("SetProcessCreationRoutine", nullptr); },
                    kArg},
        RefusalCase{"ParameterWithoutProcess", [](R& r) { return r.EnterProcessContext(); },
                    [](R& r) { return r.BeginParameter(&s_parameter, "p", API_PARTYPE_DOUBLE); },
                    kState},
        RefusalCase{"UnsupportedParameterType", OpenProcess,
                    [](R& r) { return r.BeginParameter(&s_parameter, "p", 99); }, kArg},
        RefusalCase{"ParameterIdWithSpace", OpenProcess,
                    [](R& r) { return r.BeginParameter(&s_parameter, "a b", API_PARTYPE_DOUBLE); },
                    kArg},
        RefusalCase{"ColumnOutsideTable", [](R& r) { return OpenParameter(r, API_PARTYPE_STRING); },
                    [](R& r) { return r.BeginColumn(&s_column, "c", API_PARTYPE_STRING); }, kState},
        RefusalCase{"TableColumnOfTables", [](R& r) { return OpenParameter(r, API_PARTYPE_TABLE); },
                    [](R& r) { return r.BeginColumn(&s_column, "c", API_PARTYPE_TABLE); }, kArg},
        RefusalCase{"EndParameterWithColumnOpen",
                    [](R& r) {
                      return OpenParameter(r, API_PARTYPE_TABLE) &&
                             r.BeginColumn(&s_column, "c", API_PARTYPE_STRING);
                    },
                    [](R& r) { return r.EndParameter(); }, kState},
        RefusalCase{"EndParameterWithoutLockRoutine",
                    [](R& r) { return OpenParameter(r, API_PARTYPE_DOUBLE); },
                    [](R& r) { return r.EndParameter(); }, kState},
        RefusalCase{"StringWithoutAllocationRoutine",
                    [](R& r) {
                      return OpenParameter(r, API_PARTYPE_STRING) &&
                             r.SetParameterRoutine(R::ParameterRoutine::Lock, Routine()) &&
                             r.SetParameterRoutine(R::ParameterRoutine::LengthQuery, Routine());
                    },
                    [](R& r) { return r.EndParameter(); }, kState},
        RefusalCase{"TableWithoutColumns",
                    [](R& r) {
                      return OpenParameter(r, API_PARTYPE_TABLE) &&
                             r.SetParameterRoutine(R::ParameterRoutine::Lock, Routine()) &&
                             r.SetParameterRoutine(R::ParameterRoutine::Allocation, Routine()) &&
                             r.SetParameterRoutine(R::ParameterRoutine::LengthQuery, Routine());
                    },
                    [](R& r) { return r.EndParameter(); }, kState},
        RefusalCase{
            "AllocationRoutineForBoolean",
            [](R& r) { return OpenParameter(r, API_PARTYPE_BOOLEAN); },
            [](R& r) { return r.SetParameterRoutine(R::ParameterRoutine::Allocation, Routine()); },
            kState},
        RefusalCase{"NumericDefaultForBoolean",
                    [](R& r) { return OpenParameter(r, API_PARTYPE_BOOLEAN); },
                    [](R& r) { return r.SetDefaultNumeric(1.0); }, kState},
        RefusalCase{"StringDefaultForDouble",
                    [](R& r) { return OpenParameter(r, API_PARTYPE_DOUBLE); },
                    [](R& r) { return r.SetDefaultString(u"x"); }, kState},
        RefusalCase{"RowLimitsForString", [](R& r) { return OpenParameter(r, API_PARTYPE_STRING); },
                    [](R& r) { return r.SetTableRowLimits(0, 2); }, kState},
        RefusalCase{"InvertedNumericRange",
                    [](R& r) { return OpenParameter(r, API_PARTYPE_DOUBLE); },
                    [](R& r) { return r.SetValidNumericRange(2.0, 1.0); }, kArg},
        RefusalCase{"InvertedVersionRange",
                    [](R& r) { return OpenParameter(r, API_PARTYPE_DOUBLE); },
                    [](R& r) { return r.SetParameterVersionRange(5, 3); }, kArg},
        RefusalCase{"ParameterSetterWithoutParameter", OpenProcess,
                    [](R& r) { return r.SetParameterReadOnly(1); }, kState},
        RefusalCase{"EndProcessWithParameterOpen",
                    [](R& r) { return OpenParameter(r, API_PARTYPE_BOOLEAN); },
                    [](R& r) { return r.EndProcess(); }, kState}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DefinitionRecorder, RefusedCallsChangeNothing) {
  R r;
  ASSERT_TRUE(OpenProcess(r));
  EXPECT_FALSE(r.BeginParameter(&s_parameter, "p", 99));
  EXPECT_FALSE(r.SetParameterRequired(1));  // nothing is open: the refused Begin opened nothing
  ASSERT_EQ(r.Record().processes.size(), 1u);
  EXPECT_TRUE(r.Record().processes[0].parameters.empty());
  EXPECT_TRUE(r.EndProcess());
}

TEST(DefinitionRecorder, SettersApplyToTheOpenColumnThenToItsTable) {
  R r;
  ASSERT_TRUE(OpenParameter(r, API_PARTYPE_TABLE));
  ASSERT_TRUE(r.BeginColumn(&s_column, "c", API_PARTYPE_STRING));
  ASSERT_TRUE(r.SetParameterReadOnly(1));
  ASSERT_TRUE(r.SetDefaultString(u"dflt"));
  EXPECT_FALSE(r.EndColumn());  // no lock routine yet: refused, the column stays open
  ASSERT_TRUE(r.SetParameterRoutine(R::ParameterRoutine::Lock, Routine()));
  ASSERT_TRUE(r.SetParameterRoutine(R::ParameterRoutine::Allocation, Routine()));
  ASSERT_TRUE(r.SetParameterRoutine(R::ParameterRoutine::LengthQuery, Routine()));
  ASSERT_TRUE(r.EndColumn());
  ASSERT_TRUE(r.SetTableRowLimits(1, 9));

  const ParameterDefinition& table = r.Record().processes[0].parameters[0];
  EXPECT_FALSE(table.readOnly);
  ASSERT_EQ(table.tableRowLimits, std::make_pair(api_size(1), api_size(9)));
  ASSERT_EQ(table.columns.size(), 1u);
  EXPECT_EQ(table.columns[0].handle, &s_column);
  EXPECT_TRUE(table.columns[0].readOnly);
  EXPECT_EQ(table.columns[0].defaultString, std::u16string(u"dflt"));
}

TEST(DefinitionRecorder, ModuleContextStartsAFreshRecord) {
  R r;
  ASSERT_TRUE(OpenProcess(r));
  ASSERT_TRUE(r.EndProcess() && r.ExitProcessContext() && r.ExitModuleContext());
  ASSERT_EQ(r.Record().processes.size(), 1u);
  // A module defining itself again (another library) does not collide with "P".
  ASSERT_TRUE(OpenProcess(r));
  EXPECT_EQ(r.Record().processes.size(), 1u);
  EXPECT_EQ(r.Record().calls.front().function, "ModuleDefinition/EnterModuleDefinitionContext");
}

TEST(DefinitionServices, EveryDefinitionFunctionTheModuleBindsIsImplemented) {
  std::vector<std::string> missing;
  for (const std::string& name : DeclaredHostFunctionNames()) {
    const bool ours =
        name.rfind("ModuleDefinition/", 0) == 0 || name.rfind("ProcessDefinition/", 0) == 0 ||
        name == "Process/CloneProcessInstance" || name == "Global/LaunchProcessInstance" ||
        name == "Global/BrowseProcessDocumentation";
    if (ours && ResolveHostFunction(name.c_str()) == nullptr) missing.push_back(name);
  }
  EXPECT_TRUE(missing.empty()) << missing.size() << " missing, first: " << missing.front();
}

}  // namespace
}  // namespace hostapp
