// A process instance that lives in the host, known by its host handle (for
// example an instance handed to an interface notification). Wrapping a
// received handle borrows it; a copy asks the host for a duplicate
// ("Process/CloneProcessInstance") and releases that duplicate
// ("Global/DestroyObject") when destroyed.
#ifndef TRVX_FRAMEWORK_PROCESSINSTANCE_H
#define TRVX_FRAMEWORK_PROCESSINSTANCE_H

#include "host/HostAPI.h"

namespace px {

class ProcessInstance {
 public:
  // Borrows `handle`; the caller keeps it alive while this object is used.
  explicit ProcessInstance(api_handle handle = nullptr) : handle_(handle) {}
  // A duplicate of `other`'s instance, owned by this object; null when
  // `other` is null. Throws APIFunctionError "CloneProcessInstance" when
  // the host cannot duplicate it. REQUIRES: the host interface is bound.
  ProcessInstance(const ProcessInstance& other);
  ProcessInstance& operator=(const ProcessInstance&) = delete;
  ~ProcessInstance();

  api_handle Handle() const { return handle_; }
  bool IsNull() const { return handle_ == nullptr; }
  // True when this object owns its handle (it is a duplicate).
  bool OwnsHandle() const { return owned_; }

 private:
  api_handle handle_;
  bool owned_ = false;
};

}  // namespace px

#endif
