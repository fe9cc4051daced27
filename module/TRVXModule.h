// The module descriptor of the TRVXnml library: what the host's
// identification reads about the module.
#ifndef TRVX_MODULE_TRVXMODULE_H
#define TRVX_MODULE_TRVXMODULE_H

#include "framework/MetaModule.h"

namespace px {

class TRVXModule : public MetaModule {
 public:
  // Throws Error "MetaModule: Module redefinition not allowed" when a module
  // object exists already.
  TRVXModule() = default;

  const char* Version() const override;
  IsoString Name() const override;
  String Description() const override;
  String Company() const override;
  String Author() const override;
  String Copyright() const override;
  String TradeMarks() const override;
  String OriginalFileName() const override;
  void GetReleaseDate(int& year, int& month, int& day) const override;
};

}  // namespace px

#endif
