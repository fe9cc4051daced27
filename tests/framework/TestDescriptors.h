// Minimal concrete descriptors for exercising the framework's defaults:
// a module, a process that overrides only Id/Create/Clone, and an instance
// that overrides nothing.
#ifndef TRVX_TESTS_FRAMEWORK_TESTDESCRIPTORS_H
#define TRVX_TESTS_FRAMEWORK_TESTDESCRIPTORS_H

#include "framework/MetaModule.h"
#include "framework/MetaProcess.h"
#include "framework/ProcessImplementation.h"
#include "host/APIInterface.h"

namespace px::test {

class TestModule : public MetaModule {
 public:
  const char* Version() const override { return "PIXINSIGHT_MODULE_VERSION_0.0.0.0.eng"; }
  IsoString Name() const override { return "Test"; }
  String Description() const override { return String(); }
  String Company() const override { return String(); }
  String Author() const override { return String(); }
  String Copyright() const override { return String(); }
  String TradeMarks() const override { return String(); }
  String OriginalFileName() const override { return String(); }
  void GetReleaseDate(int& y, int& m, int& d) const override { y = m = d = 0; }
};

class BareInstance : public ProcessImplementation {
 public:
  using ProcessImplementation::ProcessImplementation;
};

class BareProcess : public MetaProcess {
 public:
  IsoString Id() const override { return "Bare"; }
  ProcessImplementation* Create() const override { return new BareInstance(this); }
  ProcessImplementation* Clone(const ProcessImplementation& p) const override {
    return new BareInstance(static_cast<const BareInstance&>(p));
  }
};

// Owns a module object for the life of a test and removes it afterwards.
struct ModuleScope {
  ModuleScope() : module(new TestModule) {}
  ~ModuleScope() { delete module; }
  TestModule* module;
};

}  // namespace px::test

#endif
