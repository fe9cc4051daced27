// Base of a process's interface panel, as far as the rest of the framework
// needs it: a child of the module object that counts its launches and may
// keep its window geometry between runs of the host. The panel's window,
// controls and definition sequence are added with the panel itself.
#ifndef TRVX_FRAMEWORK_PROCESSINTERFACE_H
#define TRVX_FRAMEWORK_PROCESSINTERFACE_H

#include <cstddef>

#include "framework/MetaObject.h"

namespace px {

class ProcessInterface : public MetaObject {
 public:
  // Becomes a child of the module object; launch count 0, automatic saving
  // of the window geometry on. Throws Error "ProcessInterface: Module not
  // initialized - illegal ProcessInterface instantiation" without a module.
  ProcessInterface();

  size_t LaunchCount() const { return launchCount_; }
  bool IsAutoSaveGeometryEnabled() const { return autoSaveGeometry_; }
  void EnableAutoSaveGeometry(bool enable = true) { autoSaveGeometry_ = enable; }

  // Writes the window position and size to the host settings. The base class
  // owns no window, so it has nothing to write; the panel supplies its own.
  virtual void SaveGeometry() const {}
  // Writes the panel's own settings; nothing by default.
  virtual void SaveSettings() const {}

 protected:
  // Called by the panel each time the host launches it.
  void CountLaunch() { ++launchCount_; }

 private:
  size_t launchCount_ = 0;
  bool autoSaveGeometry_ = true;
};

}  // namespace px

#endif
