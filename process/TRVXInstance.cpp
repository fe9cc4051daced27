#include "process/TRVXInstance.h"

#include "process/TRVXParameters.h"

namespace px {

TRVXInstance::TRVXInstance(const MetaProcess* process)
    : ProcessImplementation(process),
      outputDirectory(TheTRVXOutputDirectoryParameter->DefaultValue()),
      overwriteExistingFiles(TheTRVXOverwriteExistingFilesParameter->DefaultValue() ? 1 : 0),
      useWeightPostfix(TheTRVXUseWeightPostfixParameter->DefaultValue() ? 1 : 0),
      usePSFScaleSNR(TheTRVXUsePSFScaleSNRParameter->DefaultValue() ? 1 : 0),
      version(TheTRVXVersionParameter->DefaultValue()) {}

TRVXInstance::TRVXInstance(const TRVXInstance& other) : ProcessImplementation(other) {
  Assign(other);
}

void TRVXInstance::Assign(const ProcessImplementation& source) {
  auto* x = dynamic_cast<const TRVXInstance*>(&source);
  if (x == nullptr) return;
  // Shared, not copied: each side copies before its next write.
  targetItems = x->targetItems;
  outputDirectory = x->outputDirectory;
  overwriteExistingFiles = x->overwriteExistingFiles;
  useWeightPostfix = x->useWeightPostfix;
  usePSFScaleSNR = x->usePSFScaleSNR;
  version = x->version;
}

bool TRVXInstance::CanExecuteOn(const View&, String& whyNot) const {
  whyNot = "TRVXnml can only be executed in the global context.";
  return false;
}

bool TRVXInstance::IsHistoryUpdater(const View&) const { return false; }

bool TRVXInstance::ExecuteOn(View&) { return false; }

// Addresses handed to the host are made unshared first, so that the host's
// writes reach this instance only.
void* TRVXInstance::LockParameter(const MetaParameter* p, size_t tableRow) {
  if (p == TheTRVXTargetFullPathParameter)
    return targetItems.Mutable()[tableRow].targetPath.MutableData();
  if (p == TheTRVXOutputXnmlPathParameter)
    return targetItems.Mutable()[tableRow].outputXnmlPath.MutableData();
  if (p == TheTRVXOutputDirectoryParameter) return outputDirectory.MutableData();
  if (p == TheTRVXOverwriteExistingFilesParameter) return &overwriteExistingFiles;
  if (p == TheTRVXUseWeightPostfixParameter) return &useWeightPostfix;
  if (p == TheTRVXUsePSFScaleSNRParameter) return &usePSFScaleSNR;
  if (p == TheTRVXVersionParameter) return &version;
  return nullptr;
}

namespace {
void Resize(String& s, size_t length) {
  s.Clear();
  if (length != 0) s.SetLength(length);
}
}  // namespace

bool TRVXInstance::AllocateParameter(size_t sizeOrLength, const MetaParameter* p,
                                     size_t tableRow) {
  if (p == TheTRVXTargetItemsParameter) {
    // The old rows are discarded, not kept: the host fills every row anew.
    targetItems = ItemArray(std::vector<Item>(sizeOrLength));
    return true;
  }
  if (p == TheTRVXTargetFullPathParameter) {
    Resize(targetItems.Mutable()[tableRow].targetPath, sizeOrLength);
    return true;
  }
  if (p == TheTRVXOutputXnmlPathParameter) {
    Resize(targetItems.Mutable()[tableRow].outputXnmlPath, sizeOrLength);
    return true;
  }
  if (p == TheTRVXOutputDirectoryParameter) {
    Resize(outputDirectory, sizeOrLength);
    return true;
  }
  return false;
}

size_t TRVXInstance::ParameterLength(const MetaParameter* p, size_t tableRow) const {
  if (p == TheTRVXTargetItemsParameter) return targetItems.Get().size();
  if (p == TheTRVXTargetFullPathParameter) return targetItems.Get()[tableRow].targetPath.Length();
  if (p == TheTRVXOutputXnmlPathParameter)
    return targetItems.Get()[tableRow].outputXnmlPath.Length();
  if (p == TheTRVXOutputDirectoryParameter) return outputDirectory.Length();
  return 0;
}

}  // namespace px
