#include "process/TRVXParameters.h"

namespace px {

TRVXTargetItems* TheTRVXTargetItemsParameter = nullptr;
TRVXTargetFullPath* TheTRVXTargetFullPathParameter = nullptr;
TRVXOutputXnmlPath* TheTRVXOutputXnmlPathParameter = nullptr;
TRVXOutputDirectory* TheTRVXOutputDirectoryParameter = nullptr;
TRVXOverwriteExistingFiles* TheTRVXOverwriteExistingFilesParameter = nullptr;
TRVXUseWeightPostfix* TheTRVXUseWeightPostfixParameter = nullptr;
TRVXUsePSFScaleSNR* TheTRVXUsePSFScaleSNRParameter = nullptr;
TRVXVersion* TheTRVXVersionParameter = nullptr;

TRVXTargetItems::TRVXTargetItems(MetaProcess* process) : MetaTable(process) {
  TheTRVXTargetItemsParameter = this;
}
IsoString TRVXTargetItems::Id() const { return "targetItems"; }

TRVXTargetFullPath::TRVXTargetFullPath(MetaTable* table) : MetaString(table) {
  TheTRVXTargetFullPathParameter = this;
}
IsoString TRVXTargetFullPath::Id() const { return "targetPath"; }

TRVXOutputXnmlPath::TRVXOutputXnmlPath(MetaTable* table) : MetaString(table) {
  TheTRVXOutputXnmlPathParameter = this;
}
IsoString TRVXOutputXnmlPath::Id() const { return "outputXnmlPath"; }

TRVXOutputDirectory::TRVXOutputDirectory(MetaProcess* process) : MetaString(process) {
  TheTRVXOutputDirectoryParameter = this;
}
IsoString TRVXOutputDirectory::Id() const { return "outputDirectory"; }

TRVXOverwriteExistingFiles::TRVXOverwriteExistingFiles(MetaProcess* process)
    : MetaBoolean(process) {
  TheTRVXOverwriteExistingFilesParameter = this;
}
IsoString TRVXOverwriteExistingFiles::Id() const { return "overwriteExistingFiles"; }
bool TRVXOverwriteExistingFiles::DefaultValue() const { return false; }

TRVXUseWeightPostfix::TRVXUseWeightPostfix(MetaProcess* process) : MetaBoolean(process) {
  TheTRVXUseWeightPostfixParameter = this;
}
IsoString TRVXUseWeightPostfix::Id() const { return "useWeightPostfix"; }
bool TRVXUseWeightPostfix::DefaultValue() const { return true; }

TRVXUsePSFScaleSNR::TRVXUsePSFScaleSNR(MetaProcess* process) : MetaBoolean(process) {
  TheTRVXUsePSFScaleSNRParameter = this;
}
IsoString TRVXUsePSFScaleSNR::Id() const { return "usePSFScaleSNR"; }
bool TRVXUsePSFScaleSNR::DefaultValue() const { return true; }
bool TRVXUsePSFScaleSNR::IsReadOnly() const { return true; }

TRVXVersion::TRVXVersion(MetaProcess* process) : MetaDouble(process) {
  TheTRVXVersionParameter = this;
}
IsoString TRVXVersion::Id() const { return "version"; }
double TRVXVersion::DefaultValue() const { return 5.0; }
bool TRVXVersion::IsReadOnly() const { return true; }

}  // namespace px
