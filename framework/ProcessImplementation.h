// Base of every process instance: one configured use of a process. The host
// knows an instance only by its address and reaches it through the process
// routines; every operation has the platform default below unless overridden.
#ifndef TRVX_FRAMEWORK_PROCESSIMPLEMENTATION_H
#define TRVX_FRAMEWORK_PROCESSIMPLEMENTATION_H

#include <cstddef>
#include <cstdint>

#include "core/IsoString.h"
#include "core/String.h"
#include "framework/View.h"
#include "host/HostAPI.h"

namespace px {

class MetaProcess;
class MetaParameter;
class ProcessInterface;

class ProcessImplementation {
 public:
  // REQUIRES: process != null; the instance does not own it.
  explicit ProcessImplementation(const MetaProcess* process);
  // Copies the process pointer and the server handle.
  ProcessImplementation(const ProcessImplementation& other);
  ProcessImplementation& operator=(const ProcessImplementation&) = delete;
  virtual ~ProcessImplementation();

  // Defaults: "not reimplemented" Error unless stated.
  virtual void Initialize();
  virtual bool Validate(String& info);
  virtual void Assign(const ProcessImplementation& source);
  virtual bool CanExecuteOn(const View& view, String& whyNot) const;  // clears whyNot, true
  virtual bool IsHistoryUpdater(const View& view) const;              // true
  virtual bool IsMaskable(const View& view, const ImageWindow& mask) const;  // true
  virtual uint32_t UndoMode(const View& view) const;                  // 0
  virtual bool BeforeExecution(View& view);                           // true
  virtual bool ExecuteOn(View& view);
  virtual void AfterExecution(View& view);                            // nothing
  virtual bool CanExecuteOn(const ImageVariant& image, String& whyNot) const;  // clears, true
  virtual bool ExecuteOn(ImageVariant& image, const IsoString& hints);
  // Default: "<Id> instances cannot be executed in the global context.", false.
  virtual bool CanExecuteGlobal(String& whyNot) const;
  virtual bool BeforeGlobalExecution();                               // true
  virtual bool ExecuteGlobal();
  virtual void AfterGlobalExecution();                                // nothing
  virtual ProcessInterface* SelectInterface() const;                  // process's DefaultInterface
  virtual bool IsValidInterface(const ProcessInterface* iface) const;
  virtual bool BeforeReading();                                       // true
  virtual void AfterReading();                                        // nothing
  virtual bool BeforeWriting() const;                                 // true
  virtual void AfterWriting() const;                                  // nothing
  virtual void* LockParameter(const MetaParameter* p, size_t tableRow);
  virtual void UnlockParameter(const MetaParameter* p, size_t tableRow);
  virtual bool ValidateParameter(void* value, const MetaParameter* p, size_t tableRow) const;
  virtual bool AllocateParameter(size_t sizeOrLength, const MetaParameter* p, size_t tableRow);
  virtual size_t ParameterLength(const MetaParameter* p, size_t tableRow) const;

  // Ask the host to run this instance ("Global/LaunchProcessInstance").
  bool LaunchGlobal();
  bool LaunchOnCurrentView();

  const MetaProcess* Meta() const { return meta_; }
  api_handle ServerHandle() const { return serverHandle_; }
  void SetServerHandle(api_handle handle) { serverHandle_ = handle; }

 private:
  const MetaProcess* meta_;
  api_handle serverHandle_ = nullptr;
};

}  // namespace px

#endif
