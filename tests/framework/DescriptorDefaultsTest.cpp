#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/TestDescriptors.h"
#include "core/Exception.h"
#include "framework/MetaBoolean.h"
#include "framework/MetaNumeric.h"
#include "framework/MetaString.h"
#include "framework/MetaTable.h"
#include "framework/ProcessInterface.h"

namespace px {
namespace {

using test::BareInstance;
using test::BareProcess;
using test::ModuleScope;
using test::TestModule;

std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.Message().ToStdUTF8();
  }
  return "(no error)";
}

TEST(MetaModuleRegistration, OneModuleObjectAtATime) {
  ASSERT_EQ(Module, nullptr);
  {
    ModuleScope scope;
    EXPECT_EQ(Module, scope.module);
    EXPECT_EQ(MessageOf([] { TestModule second; }), "MetaModule: Module redefinition not allowed");
    EXPECT_EQ(Module, scope.module) << "the first module object stays registered";
  }
  EXPECT_EQ(Module, nullptr);
}

TEST(MetaModuleRegistration, AllocationUsesTheGlobalAllocator) {
  ModuleScope scope;
  void* block = scope.module->Allocate(64);
  ASSERT_NE(block, nullptr);
  static_cast<char*>(block)[63] = 1;
  scope.module->Deallocate(block);
}

TEST(DescriptorConstruction, RequiresParents) {
  ASSERT_EQ(Module, nullptr);
  EXPECT_EQ(MessageOf([] { BareProcess p; }),
            "MetaProcess: Module not initialized - illegal MetaProcess instantiation.");
  EXPECT_EQ(MessageOf([] { ProcessInterface i; }),
            "ProcessInterface: Module not initialized - illegal ProcessInterface instantiation");

  struct Flag : MetaBoolean {
    using MetaBoolean::MetaBoolean;
    IsoString Id() const override { return "flag"; }
    bool DefaultValue() const override { return false; }
  };
  EXPECT_EQ(MessageOf([] { Flag f(static_cast<MetaProcess*>(nullptr)); }),
            "MetaParameter: Illegal null MetaProcess parent pointer");
  EXPECT_EQ(MessageOf([] { Flag f(static_cast<MetaTable*>(nullptr)); }),
            "MetaParameter: Illegal null MetaTable parent pointer");
}

// Counts destructions to show who destroys whom.
int g_destroyed = 0;
struct CountedString : MetaString {
  using MetaString::MetaString;
  ~CountedString() override { ++g_destroyed; }
  IsoString Id() const override { return "s"; }
};
struct CountedTable : MetaTable {
  using MetaTable::MetaTable;
  ~CountedTable() override { ++g_destroyed; }
  IsoString Id() const override { return "t"; }
};

TEST(DescriptorTree, ParentsOwnChildrenInCreationOrder) {
  ModuleScope scope;
  auto* process = new BareProcess;
  auto* table = new CountedTable(process);
  auto* column1 = new CountedString(table);
  auto* column2 = new CountedString(table);
  auto* other = new CountedString(process);
  ASSERT_EQ(scope.module->Length(), 1u);
  EXPECT_EQ((*scope.module)[0], process);
  ASSERT_EQ(process->Length(), 2u);
  EXPECT_EQ(process->Parameter(0), table);
  EXPECT_EQ(process->Parameter(1), other);
  ASSERT_EQ(table->Length(), 2u);
  EXPECT_EQ(table->Column(0), column1);
  EXPECT_EQ(table->Column(1), column2);

  g_destroyed = 0;
  delete process;
  EXPECT_EQ(g_destroyed, 4) << "the process destroys its parameters, the table its columns";
  EXPECT_EQ(scope.module->Length(), 0u) << "a destroyed child leaves its parent's list";
}

TEST(DescriptorTree, NonParameterChildrenAreRejected) {
  ModuleScope scope;
  BareProcess* process = new BareProcess;
  struct Plain : MetaObject {
    using MetaObject::MetaObject;
  };
  new Plain(process);
  EXPECT_EQ(MessageOf([&] { process->Parameter(0); }),
            "MetaProcess: invalid non-parameter child instance");
  auto* table = new CountedTable(process);
  new Plain(table);
  EXPECT_EQ(MessageOf([&] { table->Column(0); }),
            "MetaTable: Invalid non-parameter table column instance");
}

TEST(MetaProcessDefaults, FlagsAndValues) {
  ModuleScope scope;
  BareProcess p;
  EXPECT_EQ(p.Version(), 256u);
  EXPECT_TRUE(p.IsAssignable());
  EXPECT_TRUE(p.CanProcessViews());
  EXPECT_TRUE(p.CanProcessGlobal());
  EXPECT_FALSE(p.CanProcessImages());
  EXPECT_FALSE(p.CanProcessCommandLines());
  EXPECT_FALSE(p.CanEditPreferences());
  EXPECT_TRUE(p.CanBrowseDocumentation());
  EXPECT_FALSE(p.NeedsInitialization());
  EXPECT_FALSE(p.NeedsValidation());
  EXPECT_FALSE(p.PrefersGlobalExecution());
  EXPECT_FALSE(p.CanProcessIPCMessages());
  EXPECT_EQ(p.DefaultInterface(), nullptr);
  EXPECT_TRUE(p.Category().IsEmpty());
  EXPECT_EQ(p.IconImageXPM(), nullptr);
}

TEST(MetaProcessDefaults, UnimplementedOperationsNameProcessAndOperation) {
  ModuleScope scope;
  BareProcess p;
  const std::string tail = "() must be reimplemented in descendant class.";
  EXPECT_EQ(MessageOf([&] { p.EditPreferences(); }), "Bare: MetaProcess::EditPreferences" + tail);
  EXPECT_EQ(MessageOf([&] { p.ProcessCommandLine({}); }),
            "Bare: MetaProcess::ProcessCommandLine" + tail);
  EXPECT_EQ(MessageOf([&] { p.IPCStart(1, "i", "x"); }), "Bare: MetaProcess::IPCStart" + tail);
  EXPECT_EQ(MessageOf([&] { p.IPCStop(1, "i"); }), "Bare: MetaProcess::IPCStop" + tail);
  EXPECT_EQ(MessageOf([&] { p.IPCSetParameters(1, "i", "x"); }),
            "Bare: MetaProcess::IPCSetParameters" + tail);
  EXPECT_EQ(MessageOf([&] { p.IPCStatus(1, "i"); }), "Bare: MetaProcess::IPCStatus" + tail);
}

TEST(ProcessImplementationDefaults, ValuesOfTheOverridableOperations) {
  ModuleScope scope;
  BareProcess p;
  BareInstance i(&p);
  View view;
  String why = "stale";
  EXPECT_TRUE(i.CanExecuteOn(view, why));
  EXPECT_TRUE(why.IsEmpty());
  why = "stale";
  EXPECT_TRUE(i.CanExecuteOn(ImageVariant(), why));
  EXPECT_TRUE(why.IsEmpty());
  EXPECT_TRUE(i.IsHistoryUpdater(view));
  EXPECT_TRUE(i.IsMaskable(view, ImageWindow()));
  EXPECT_EQ(i.UndoMode(view), 0u);
  EXPECT_TRUE(i.BeforeExecution(view));
  EXPECT_TRUE(i.BeforeGlobalExecution());
  EXPECT_TRUE(i.BeforeReading());
  EXPECT_TRUE(i.BeforeWriting());
  EXPECT_EQ(i.SelectInterface(), nullptr);
  EXPECT_TRUE(i.IsValidInterface(nullptr));
  EXPECT_FALSE(i.CanExecuteGlobal(why));
  EXPECT_EQ(why.ToStdUTF8(), "Bare instances cannot be executed in the global context.");

  i.SetServerHandle(&why);
  BareInstance copy(i);
  EXPECT_EQ(copy.Meta(), &p);
  EXPECT_EQ(copy.ServerHandle(), static_cast<api_handle>(&why));
}

TEST(ProcessImplementationDefaults, UnimplementedOperationsNameProcessAndOperation) {
  ModuleScope scope;
  BareProcess p;
  BareInstance i(&p);
  View view;
  ImageVariant image;
  String why;
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"Initialize", [&] { i.Initialize(); }},
      {"Validate", [&] { i.Validate(why); }},
      {"Assign", [&] { i.Assign(i); }},
      {"ExecuteOn", [&] { i.ExecuteOn(view); }},
      {"ExecuteOn", [&] { i.ExecuteOn(image, "hints"); }},
      {"ExecuteGlobal", [&] { i.ExecuteGlobal(); }},
      {"LockParameter", [&] { i.LockParameter(nullptr, 0); }},
      {"UnlockParameter", [&] { i.UnlockParameter(nullptr, 0); }},
      {"ValidateParameter", [&] { i.ValidateParameter(nullptr, nullptr, 0); }},
      {"AllocateParameter", [&] { i.AllocateParameter(1, nullptr, 0); }},
      {"ParameterLength", [&] { i.ParameterLength(nullptr, 0); }},
  };
  for (const auto& [name, call] : cases)
    EXPECT_EQ(MessageOf(call), std::string("Bare: ProcessImplementation::") + name +
                                   "() must be reimplemented in descendant class.");
}

TEST(ParameterKindDefaults, FlagsTypeCodesAndLimits) {
  ModuleScope scope;
  BareProcess p;
  struct D : MetaDouble {
    using MetaDouble::MetaDouble;
    IsoString Id() const override { return "d"; }
    double DefaultValue() const override { return 1; }
  } d(&p);
  struct B : MetaBoolean {
    using MetaBoolean::MetaBoolean;
    IsoString Id() const override { return "b"; }
    bool DefaultValue() const override { return true; }
  } b(&p);
  // Children on the stack unlink themselves before their parent goes.
  CountedString s(&p);
  CountedTable t(&p);

  EXPECT_EQ(d.APIParType(), 10);
  EXPECT_EQ(b.APIParType(), 11);
  EXPECT_EQ(s.APIParType(), 13);
  EXPECT_EQ(t.APIParType(), 14);
  EXPECT_TRUE(d.IsNumeric() && d.IsReal() && !d.IsInteger() && !d.IsVariableLength());
  EXPECT_EQ(d.Precision(), -1);
  EXPECT_FALSE(d.ScientificNotation());
  EXPECT_TRUE(b.IsBoolean() && !b.IsNumeric());
  EXPECT_TRUE(s.IsString() && s.IsVariableLength() && !s.IsTable());
  EXPECT_TRUE(s.DefaultValue().IsEmpty() && s.AllowedCharacters().IsEmpty());
  EXPECT_TRUE(t.IsTable() && t.IsVariableLength() && !t.IsString());
  EXPECT_EQ(t.MinLength() + t.MaxLength() + s.MinLength() + s.MaxLength(), 0u);
  for (const MetaParameter* q : {static_cast<const MetaParameter*>(&d), static_cast<const MetaParameter*>(&b),
                                 static_cast<const MetaParameter*>(&s), static_cast<const MetaParameter*>(&t)}) {
    EXPECT_FALSE(q->IsRequired() || q->IsReadOnly() || q->NeedsUnlocking() || q->NeedsValidation());
    EXPECT_EQ(q->FirstProcessVersion() + q->LastProcessVersion(), 0u);
  }
}

}  // namespace
}  // namespace px
