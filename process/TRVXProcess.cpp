#include "process/TRVXProcess.h"

#include "process/TRVXInstance.h"
#include "process/TRVXParameters.h"

namespace px {

TRVXProcess* TheTRVXProcess = nullptr;
ProcessInterface* TheTRVXInterface = nullptr;

TRVXProcess::TRVXProcess() {
  TheTRVXProcess = this;
  // Children are owned: if one of these throws, the process destroys the
  // ones already made. Construction order is the host's definition order.
  new TRVXTargetItems(this);
  new TRVXTargetFullPath(TheTRVXTargetItemsParameter);
  new TRVXOutputXnmlPath(TheTRVXTargetItemsParameter);
  new TRVXOutputDirectory(this);
  new TRVXOverwriteExistingFiles(this);
  new TRVXUseWeightPostfix(this);
  new TRVXUsePSFScaleSNR(this);
  new TRVXVersion(this);
}

IsoString TRVXProcess::Id() const { return "TRVXnml"; }

IsoString TRVXProcess::Category() const { return "ImageCalibration"; }

uint32_t TRVXProcess::Version() const { return 0x105; }

String TRVXProcess::Description() const {
  return "<html>Convert TRV 'xnml_*.xisf' images into Local Normalization '.xnml' files.</html>";
}

String TRVXProcess::IconImageSVGFile() const { return "@module_icons_dir/TRVXnml.svg"; }

ProcessInterface* TRVXProcess::DefaultInterface() const { return TheTRVXInterface; }

ProcessImplementation* TRVXProcess::Create() const { return new TRVXInstance(this); }

ProcessImplementation* TRVXProcess::Clone(const ProcessImplementation& instance) const {
  auto* source = dynamic_cast<const TRVXInstance*>(&instance);
  return source != nullptr ? new TRVXInstance(*source) : nullptr;
}

}  // namespace px
