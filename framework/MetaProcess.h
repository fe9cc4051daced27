// Base of a process descriptor: what the host lists for a process, which
// routines it registers for it, and the factory of its instances. One object
// per process class, a child of the module object; its children are the
// process's parameters.
#ifndef TRVX_FRAMEWORK_METAPROCESS_H
#define TRVX_FRAMEWORK_METAPROCESS_H

#include <cstdint>
#include <vector>

#include "core/IsoString.h"
#include "core/String.h"
#include "framework/MetaObject.h"
#include "host/HostAPI.h"

namespace px {

class ProcessImplementation;
class ProcessInterface;
class MetaParameter;

class MetaProcess : public MetaObject {
 public:
  // Becomes a child of the module object. Throws Error "MetaProcess: Module
  // not initialized - illegal MetaProcess instantiation." without one.
  MetaProcess();

  // The process definition sequence (identity, icon, routines, parameters).
  // REQUIRES: the host interface is bound. Throws Error "MetaProcess:
  // invalid non-parameter child instance" for a child that is not a
  // parameter, APIFunctionError for a refused definition call.
  void PerformAPIDefinitions() const override;

  virtual IsoString Id() const = 0;
  virtual IsoString Aliases() const { return IsoString(); }
  virtual IsoString Categories() const { return IsoString(); }
  virtual IsoString Category() const { return Categories(); }
  virtual uint32_t Version() const { return 0x100; }
  virtual String Description() const { return String(); }
  virtual String ScriptComment() const { return String(); }
  virtual IsoString IconImageSVG() const { return IsoString(); }
  virtual String IconImageSVGFile() const { return String(); }
  virtual const char** IconImageXPM() const { return nullptr; }
  virtual String IconImageFile() const { return String(); }
  virtual const char** SmallIconImageXPM() const { return nullptr; }
  virtual String SmallIconImageFile() const { return String(); }
  virtual void InitializeClass() {}
  // The interface that edits this process's instances; null by default.
  virtual ProcessInterface* DefaultInterface() const { return nullptr; }

  // Capabilities: they decide which process routines are registered.
  virtual bool CanProcessViews() const { return true; }
  virtual bool CanProcessGlobal() const { return true; }
  virtual bool CanProcessImages() const { return false; }
  virtual bool CanProcessCommandLines() const { return false; }
  virtual bool CanEditPreferences() const { return false; }
  virtual bool CanBrowseDocumentation() const { return true; }

  // A new instance with default parameters; the caller owns it.
  virtual ProcessImplementation* Create() const = 0;
  // A copy of `instance`, or null when it cannot be copied; caller owns it.
  virtual ProcessImplementation* Clone(const ProcessImplementation& instance) const = 0;
  virtual ProcessImplementation* TestClone(const ProcessImplementation& instance) const {
    return Clone(instance);
  }
  virtual bool IsAssignable() const { return true; }
  virtual bool NeedsInitialization() const { return false; }
  virtual bool NeedsValidation() const { return false; }
  virtual bool PrefersGlobalExecution() const { return false; }

  // Defaults raise "<Id>: MetaProcess::<name>() must be reimplemented in
  // descendant class."
  virtual int ProcessCommandLine(const std::vector<String>& arguments) const;
  virtual bool EditPreferences() const;
  // Asks the host to show this process's documentation.
  virtual bool BrowseDocumentation() const;

  virtual bool CanProcessIPCMessages() const { return false; }
  // Defaults raise the not-reimplemented error for their own names.
  virtual bool IPCStart(uint32_t messageId, const IsoString& instanceId,
                        const String& parameters) const;
  virtual bool IPCStop(uint32_t messageId, const IsoString& instanceId) const;
  virtual bool IPCSetParameters(uint32_t messageId, const IsoString& instanceId,
                                const String& parameters) const;
  virtual int IPCStatus(uint32_t messageId, const IsoString& instanceId) const;

  // Child `i` as a parameter. REQUIRES: i < Length(). Throws Error
  // "MetaProcess: invalid non-parameter child instance" for other children.
  const MetaParameter* Parameter(size_t i) const;

  // The handle the host knows this process by.
  api_handle Handle() const;

 protected:
  // Error "<Id>: MetaProcess::<operation>() must be reimplemented in
  // descendant class."
  [[noreturn]] void NotReimplemented(const char* operation) const;
};

}  // namespace px

#endif
