#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "support/RecordingHost.h"
#include "framework/TestDescriptors.h"
#include "core/Exception.h"
#include "framework/MetaBoolean.h"
#include "framework/MetaNumeric.h"
#include "framework/MetaString.h"
#include "framework/MetaTable.h"
#include "framework/ModuleContextDispatcher.h"
#include "framework/ParameterContextDispatcher.h"
#include "framework/ProcessContextDispatcher.h"
#include "framework/ProcessInterface.h"

namespace px {
namespace {

using test::BareProcess;
using test::ModuleScope;
using trvx::test::RecordingHost;
using D = ProcessContextDispatcher;

// An instance whose executions run a configurable action and remember the
// display switches they saw.
struct ProbeInstance : ProcessImplementation {
  using ProcessImplementation::ProcessImplementation;
  std::function<void()> action = [] {};
  String reason;
  bool accept = false;
  bool sawConsole = false, sawGUI = false;
  bool ExecuteGlobal() override {
    sawConsole = Exception::IsConsoleOutputEnabled();
    sawGUI = Exception::IsGUIOutputEnabled();
    action();
    return true;
  }
  bool CanExecuteGlobal(String& why) const override {
    why = reason;
    return accept;
  }
  void Assign(const ProcessImplementation&) override { action(); }
};

struct ProbeProcess : BareProcess {
  ProcessImplementation* Create() const override { return new ProbeInstance(this); }
  ProcessImplementation* Clone(const ProcessImplementation& p) const override {
    return new ProbeInstance(static_cast<const ProbeInstance&>(p));
  }
};

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Bind();
    process = new ProbeProcess;
    instance = static_cast<ProbeInstance*>(process->Create());
  }
  void TearDown() override {
    delete instance;
    Exception::EnableConsoleOutput(true);
    Exception::EnableGUIOutput(false);
  }
  RecordingHost host;
  ModuleScope scope;
  ProbeProcess* process = nullptr;
  ProbeInstance* instance = nullptr;
};

TEST_F(Dispatch, ExecutionForcesConsoleOutputAndRestoresTheSwitches) {
  struct Case {
    const char* what;
    std::function<void()> action;
    api_bool result;
    std::string console;
  };
  const Case cases[] = {
      {"normal", [] {}, 1, ""},
      {"Error", [] { throw Error("x"); }, 0,
       "\x1b[31m<end><cbr>*** Error: x\x1b[39m\x1b[39m<end><cbr>"},
      {"ProcessAborted", [] { throw ProcessAborted(); }, 0, ""},
  };
  for (const Case& c : cases) {
    for (bool console : {false, true}) {
      for (bool gui : {false, true}) {
        host.Clear();
        Exception::EnableConsoleOutput(console);
        Exception::EnableGUIOutput(gui);
        instance->action = c.action;
        EXPECT_EQ(D::ExecuteGlobal(instance), c.result) << c.what;
        EXPECT_TRUE(instance->sawConsole) << c.what;
        EXPECT_FALSE(instance->sawGUI) << c.what;
        EXPECT_EQ(Exception::IsConsoleOutputEnabled(), console) << c.what;
        EXPECT_EQ(Exception::IsGUIOutputEnabled(), gui) << c.what;
        EXPECT_EQ(host.console, c.console) << c.what << " console=" << console << " gui=" << gui;
      }
    }
  }
}

TEST_F(Dispatch, FatalErrorLeavesTheExecutionSwitchesSet) {
  Exception::EnableConsoleOutput(false);
  Exception::EnableGUIOutput(true);
  instance->action = [] { throw FatalError("fatal"); };
  EXPECT_THROW(D::ExecuteGlobal(instance), FatalError);
  EXPECT_TRUE(Exception::IsConsoleOutputEnabled());
  EXPECT_FALSE(Exception::IsGUIOutputEnabled());
}

TEST_F(Dispatch, ValidationCopiesOnlyARefusalWithAReason) {
  std::u16string buffer(8, u'#');
  instance->accept = true;
  instance->reason = "ignored";
  EXPECT_EQ(D::CanExecuteGlobal(instance, buffer.data(), 8), 1);
  EXPECT_EQ(buffer, u"########");
  instance->accept = false;
  instance->reason = String();
  EXPECT_EQ(D::CanExecuteGlobal(instance, buffer.data(), 8), 0);
  EXPECT_EQ(buffer, u"########");
  instance->reason = "abc";
  EXPECT_EQ(D::CanExecuteGlobal(instance, buffer.data(), 8), 0);
  EXPECT_EQ(buffer, std::u16string(u"abc\0####", 8));
}

TEST_F(Dispatch, InstanceRoutinesReachTheObjects) {
  api_handle clone = D::Clone(instance);
  ASSERT_NE(clone, nullptr);
  EXPECT_NE(clone, static_cast<api_handle>(static_cast<ProcessImplementation*>(instance)));
  EXPECT_EQ(static_cast<ProcessImplementation*>(clone)->Meta(), process);
  D::Destroy(clone);
  D::Destroy(nullptr);

  int server = 0;
  EXPECT_EQ(D::SetServerHandle(instance, &server), 1);
  EXPECT_EQ(instance->ServerHandle(), static_cast<api_handle>(&server));

  EXPECT_EQ(D::Assign(instance, instance), 1);
  instance->action = [] { throw Error("no"); };
  EXPECT_EQ(D::Assign(instance, instance), 0) << "false after a reported error";
  EXPECT_NE(host.console.find("*** Error: no"), std::string::npos);

  host.Clear();
  EXPECT_EQ(D::Initialize(instance), 0);
  EXPECT_NE(host.console.find("Bare: ProcessImplementation::Initialize() must be reimplemented"),
            std::string::npos);
  EXPECT_EQ(D::DefaultInterface(static_cast<MetaProcess*>(process)), nullptr);
  EXPECT_EQ(D::BrowseDocumentation(static_cast<MetaProcess*>(process)), 1);
  EXPECT_EQ(host.CallsOf("Global/BrowseProcessDocumentation"),
            std::vector<std::string>{"Global/BrowseProcessDocumentation(" +
                                     RecordingHost::Text(static_cast<MetaProcess*>(process)) +
                                     ", 0)"});
}

TEST_F(Dispatch, ParameterRoutinesReturnNeutralValuesAfterErrors) {
  host.Clear();
  EXPECT_EQ(ParameterContextDispatcher::Lock(instance, nullptr, 0), nullptr);
  EXPECT_EQ(ParameterContextDispatcher::Allocate(3, instance, nullptr, 0), 0);
  EXPECT_EQ(ParameterContextDispatcher::Length(instance, nullptr, 0), 0u);
  EXPECT_EQ(ParameterContextDispatcher::Validate(nullptr, instance, nullptr, 0), 0);
  ParameterContextDispatcher::Unlock(instance, nullptr, 0);
  for (const char* op : {"LockParameter", "AllocateParameter", "ParameterLength",
                         "ValidateParameter", "UnlockParameter"})
    EXPECT_NE(host.console.find(std::string("ProcessImplementation::") + op), std::string::npos)
        << op;
}

// An interface that records what the unload bookkeeping asks of it.
struct RecordingInterface : ProcessInterface {
  explicit RecordingInterface(int launches, bool autoSave, std::vector<std::string>* log, int id)
      : log_(log), id_(id) {
    for (int i = 0; i < launches; ++i) CountLaunch();
    EnableAutoSaveGeometry(autoSave);
  }
  void SaveGeometry() const override { log_->push_back("geometry " + std::to_string(id_)); }
  void SaveSettings() const override { log_->push_back("settings " + std::to_string(id_)); }
  std::vector<std::string>* log_;
  int id_;
};

TEST_F(Dispatch, UnloadSavesOnlyLaunchedInterfaces) {
  std::vector<std::string> log;
  new RecordingInterface(0, true, &log, 1);
  new RecordingInterface(2, true, &log, 2);
  new RecordingInterface(1, false, &log, 3);
  ModuleContextDispatcher::OnUnload();
  EXPECT_EQ(log, (std::vector<std::string>{"geometry 2", "settings 2", "settings 3"}));
}

TEST_F(Dispatch, AllocationFailureIsReportedAndGivesNull) {
  void* block = ModuleContextDispatcher::Allocate(128);
  EXPECT_NE(block, nullptr);
  ModuleContextDispatcher::Deallocate(block);
  EXPECT_EQ(ModuleContextDispatcher::Allocate(std::numeric_limits<api_size>::max() / 2), nullptr);
  EXPECT_EQ(host.console, "\x1b[31m<end><cbr>*** Error: Out of memory\x1b[39m\x1b[39m<end><cbr>");
}

}  // namespace
}  // namespace px
