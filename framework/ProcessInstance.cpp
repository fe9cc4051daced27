#include "framework/ProcessInstance.h"

#include "host/APIError.h"
#include "host/APIInterface.h"

namespace px {

ProcessInstance::ProcessInstance(const ProcessInstance& other) : handle_(nullptr) {
  if (other.handle_ == nullptr) return;
  handle_ = API->Process.CloneProcessInstance(ModuleHandle(), other.handle_, 0);
  if (handle_ == nullptr) throw APIFunctionError("CloneProcessInstance");
  owned_ = true;
}

ProcessInstance::~ProcessInstance() {
  if (owned_) API->Global.DestroyObject(handle_);
}

}  // namespace px
