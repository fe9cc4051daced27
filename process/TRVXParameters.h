// The eight parameter descriptors of TRVXnml, in the order the host learns
// them: the target table (targetPath, outputXnmlPath columns) and the output
// options. Each constructor sets its global pointer, which the instance
// compares descriptors against; the pointers are never cleared.
#ifndef TRVX_PROCESS_TRVXPARAMETERS_H
#define TRVX_PROCESS_TRVXPARAMETERS_H

#include "framework/MetaBoolean.h"
#include "framework/MetaNumeric.h"
#include "framework/MetaString.h"
#include "framework/MetaTable.h"

namespace px {

// "targetItems": one row per input file.
class TRVXTargetItems : public MetaTable {
 public:
  explicit TRVXTargetItems(MetaProcess* process);
  IsoString Id() const override;
};

// "targetPath": the input xnml_*.xisf file of a row.
class TRVXTargetFullPath : public MetaString {
 public:
  explicit TRVXTargetFullPath(MetaTable* table);
  IsoString Id() const override;
};

// "outputXnmlPath": explicit output file of a row; empty means derived.
class TRVXOutputXnmlPath : public MetaString {
 public:
  explicit TRVXOutputXnmlPath(MetaTable* table);
  IsoString Id() const override;
};

// "outputDirectory": directory of derived outputs; empty means the input's.
class TRVXOutputDirectory : public MetaString {
 public:
  explicit TRVXOutputDirectory(MetaProcess* process);
  IsoString Id() const override;
};

// "overwriteExistingFiles" (default false).
class TRVXOverwriteExistingFiles : public MetaBoolean {
 public:
  explicit TRVXOverwriteExistingFiles(MetaProcess* process);
  IsoString Id() const override;
  bool DefaultValue() const override;
};

// "useWeightPostfix" (default true).
class TRVXUseWeightPostfix : public MetaBoolean {
 public:
  explicit TRVXUseWeightPostfix(MetaProcess* process);
  IsoString Id() const override;
  bool DefaultValue() const override;
};

// "usePSFScaleSNR": read-only constant true, published for the TRV script.
class TRVXUsePSFScaleSNR : public MetaBoolean {
 public:
  explicit TRVXUsePSFScaleSNR(MetaProcess* process);
  IsoString Id() const override;
  bool DefaultValue() const override;
  bool IsReadOnly() const override;
};

// "version": read-only constant 5.0, published for the TRV script.
class TRVXVersion : public MetaDouble {
 public:
  explicit TRVXVersion(MetaProcess* process);
  IsoString Id() const override;
  double DefaultValue() const override;
  bool IsReadOnly() const override;
};

extern TRVXTargetItems* TheTRVXTargetItemsParameter;
extern TRVXTargetFullPath* TheTRVXTargetFullPathParameter;
extern TRVXOutputXnmlPath* TheTRVXOutputXnmlPathParameter;
extern TRVXOutputDirectory* TheTRVXOutputDirectoryParameter;
extern TRVXOverwriteExistingFiles* TheTRVXOverwriteExistingFilesParameter;
extern TRVXUseWeightPostfix* TheTRVXUseWeightPostfixParameter;
extern TRVXUsePSFScaleSNR* TheTRVXUsePSFScaleSNRParameter;
extern TRVXVersion* TheTRVXVersionParameter;

}  // namespace px

#endif
