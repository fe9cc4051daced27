#include "framework/ProcessImplementation.h"

#include "core/Exception.h"
#include "framework/MetaProcess.h"
#include "host/APIInterface.h"

namespace px {

namespace {
[[noreturn]] void NotReimplemented(const MetaProcess* meta, const char* operation) {
  throw Error(String(meta->Id()) + ": ProcessImplementation::" + operation +
              "() must be reimplemented in descendant class.");
}
}  // namespace

ProcessImplementation::ProcessImplementation(const MetaProcess* process) : meta_(process) {}

ProcessImplementation::ProcessImplementation(const ProcessImplementation& other)
    : meta_(other.meta_), serverHandle_(other.serverHandle_) {}

ProcessImplementation::~ProcessImplementation() = default;

void ProcessImplementation::Initialize() { NotReimplemented(meta_, "Initialize"); }

bool ProcessImplementation::Validate(String&) { NotReimplemented(meta_, "Validate"); }

void ProcessImplementation::Assign(const ProcessImplementation&) {
  NotReimplemented(meta_, "Assign");
}

bool ProcessImplementation::CanExecuteOn(const View&, String& whyNot) const {
  whyNot.Clear();
  return true;
}

bool ProcessImplementation::IsHistoryUpdater(const View&) const { return true; }

bool ProcessImplementation::IsMaskable(const View&, const ImageWindow&) const { return true; }

uint32_t ProcessImplementation::UndoMode(const View&) const { return 0; }

bool ProcessImplementation::BeforeExecution(View&) { return true; }

bool ProcessImplementation::ExecuteOn(View&) { NotReimplemented(meta_, "ExecuteOn"); }

void ProcessImplementation::AfterExecution(View&) {}

bool ProcessImplementation::CanExecuteOn(const ImageVariant&, String& whyNot) const {
  whyNot.Clear();
  return true;
}

bool ProcessImplementation::ExecuteOn(ImageVariant&, const IsoString&) {
  NotReimplemented(meta_, "ExecuteOn");
}

bool ProcessImplementation::CanExecuteGlobal(String& whyNot) const {
  whyNot = String(meta_->Id()) + " instances cannot be executed in the global context.";
  return false;
}

bool ProcessImplementation::BeforeGlobalExecution() { return true; }

bool ProcessImplementation::ExecuteGlobal() { NotReimplemented(meta_, "ExecuteGlobal"); }

void ProcessImplementation::AfterGlobalExecution() {}

ProcessInterface* ProcessImplementation::SelectInterface() const {
  return meta_->DefaultInterface();
}

bool ProcessImplementation::IsValidInterface(const ProcessInterface* iface) const {
  return iface == SelectInterface();
}

bool ProcessImplementation::BeforeReading() { return true; }

void ProcessImplementation::AfterReading() {}

bool ProcessImplementation::BeforeWriting() const { return true; }

void ProcessImplementation::AfterWriting() const {}

void* ProcessImplementation::LockParameter(const MetaParameter*, size_t) {
  NotReimplemented(meta_, "LockParameter");
}

void ProcessImplementation::UnlockParameter(const MetaParameter*, size_t) {
  NotReimplemented(meta_, "UnlockParameter");
}

bool ProcessImplementation::ValidateParameter(void*, const MetaParameter*, size_t) const {
  NotReimplemented(meta_, "ValidateParameter");
}

bool ProcessImplementation::AllocateParameter(size_t, const MetaParameter*, size_t) {
  NotReimplemented(meta_, "AllocateParameter");
}

size_t ProcessImplementation::ParameterLength(const MetaParameter*, size_t) const {
  NotReimplemented(meta_, "ParameterLength");
}

bool ProcessImplementation::LaunchGlobal() {
  return API->Global.LaunchProcessInstance(meta_->Handle(), static_cast<api_handle>(this),
                                           API_LAUNCH_GLOBAL, 0) != 0;
}

bool ProcessImplementation::LaunchOnCurrentView() {
  return API->Global.LaunchProcessInstance(meta_->Handle(), static_cast<api_handle>(this),
                                           API_LAUNCH_CURRENT_VIEW, 0) != 0;
}

}  // namespace px
