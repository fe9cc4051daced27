// Names the .xnml file written for one target: the explicit path of the
// target entry, or a path generated from the output options, the target's
// location and its postfix keywords, then made unique (or kept, to be
// overwritten) and reserved on disk.
#ifndef TRVX_ENGINE_OUTPUTNAMING_H
#define TRVX_ENGINE_OUTPUTNAMING_H

#include "core/FITSHeaderKeyword.h"
#include "core/IsoString.h"
#include "core/String.h"

namespace px {

struct OutputNamingOptions {
  String outputDirectory;  // empty: the target's own directory
  bool overwriteExistingFiles = false;
  bool useWeightPostfix = true;
};

class OutputNaming {
 public:
  // directory + "/" (unless it ends with one) + name of `targetFileName`
  // without directory and last extension + postfix [+ weightPostfix] +
  // ".xnml". The directory is `outputDirectory` as given or, when that is
  // empty, the directory of `targetPath`; a `targetPath` without any
  // directory stands for the current directory. Touches nothing on disk.
  static String GeneratedPath(const OutputNamingOptions& options, const String& targetPath,
                              const IsoString& targetFileName, const IsoString& postfix,
                              const IsoString& weightPostfix);

  // The output path of one target. A non-empty `outputXnmlPath` is returned
  // as stored, without reading keywords or touching the disk. Otherwise
  // TRVPSTFX and then TRVWSTR are read from `keywords` (both required); when
  // one is missing, returns false with `errorLine` set to the console line
  // naming it. Otherwise GeneratedPath is passed through
  // File::EnsureNewUniqueFile, so the file exists when this returns true.
  // Throws File::Error from that reservation.
  static bool Resolve(const OutputNamingOptions& options, const String& targetPath, const String& outputXnmlPath,
                      const IsoString& targetFileName, const FITSKeywordArray& keywords, String& outputPath,
                      String& errorLine);
};

}  // namespace px

#endif
