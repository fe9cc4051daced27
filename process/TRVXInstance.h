// One configured use of the TRVXnml process: the target list and the output
// options. Its global execution converts every target into an .xnml file.
#ifndef TRVX_PROCESS_TRVXINSTANCE_H
#define TRVX_PROCESS_TRVXINSTANCE_H

#include <cstdint>
#include <vector>

#include "core/SharedData.h"
#include "core/String.h"
#include "framework/ProcessImplementation.h"

namespace px {

class TRVXInstance : public ProcessImplementation {
 public:
  // One row of the target table.
  struct Item {
    String targetPath;      // the input xnml_*.xisf file
    String outputXnmlPath;  // explicit output path; empty: derived from the options
  };
  // Items shared between copies of an instance until one is modified.
  using ItemArray = SharedData<std::vector<Item>>;

  // Defaults come from the parameter descriptors.
  explicit TRVXInstance(const MetaProcess* process);
  TRVXInstance(const TRVXInstance& other);

  // Copies every field from another TRVXInstance (strings and items by
  // sharing); any other source is ignored silently.
  void Assign(const ProcessImplementation& source) override;

  // Refused for every view: "TRVXnml can only be executed in the global context."
  bool CanExecuteOn(const View& view, String& whyNot) const override;
  bool IsHistoryUpdater(const View& view) const override;
  bool ExecuteOn(View& view) override;

  // False with "No target images have been defined." for an empty target list.
  bool CanExecuteGlobal(String& whyNot) const override;
  // Converts every target in list order. Per-target problems are written to
  // the console in red and the next target follows; returns true when the
  // walk has ended. Anything that makes further work pointless is thrown.
  bool ExecuteGlobal() override;

  // The host's parameter exchange: storage addresses (made unshared first),
  // sizing of variable-length parameters, and their current lengths.
  void* LockParameter(const MetaParameter* p, size_t tableRow) override;
  bool AllocateParameter(size_t sizeOrLength, const MetaParameter* p, size_t tableRow) override;
  size_t ParameterLength(const MetaParameter* p, size_t tableRow) const override;

  // Fields, in the order the host and the panel see them. Booleans are held
  // in 32 bits (0 or 1) because the host reads and writes them as such.
  ItemArray targetItems;
  String outputDirectory;
  int32_t overwriteExistingFiles = 0;
  int32_t useWeightPostfix = 0;
  int32_t usePSFScaleSNR = 0;
  double version = 0;
};

}  // namespace px

#endif
