// The process descriptor of TRVXnml: identity, category and icon, the
// factory of TRVXInstance objects, and the owner of its eight parameters.
#ifndef TRVX_PROCESS_TRVXPROCESS_H
#define TRVX_PROCESS_TRVXPROCESS_H

#include "framework/MetaProcess.h"

namespace px {

class TRVXProcess : public MetaProcess {
 public:
  // Creates the parameter descriptors in definition order and sets
  // TheTRVXProcess. REQUIRES: the module object exists (else Error
  // "MetaProcess: Module not initialized - illegal MetaProcess instantiation.").
  TRVXProcess();

  IsoString Id() const override;
  IsoString Category() const override;
  uint32_t Version() const override;
  String Description() const override;
  String IconImageSVGFile() const override;
  // TheTRVXInterface at the time of the call (null while there is none).
  ProcessInterface* DefaultInterface() const override;
  // A new TRVXInstance with the descriptors' defaults; the caller owns it.
  ProcessImplementation* Create() const override;
  // A copy of a TRVXInstance; null for an instance of another process.
  ProcessImplementation* Clone(const ProcessImplementation& instance) const override;
};

// Set by the constructor; never cleared.
extern TRVXProcess* TheTRVXProcess;

// The process's interface panel. The panel is added by a later change and
// sets this to itself when it is created; until then it stays null.
extern ProcessInterface* TheTRVXInterface;

}  // namespace px

#endif
