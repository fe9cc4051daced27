#include "engine/OutputNaming.h"

#include "engine/TRVXFitsHeader.h"
#include "file/File.h"

namespace px {

String OutputNaming::GeneratedPath(const OutputNamingOptions& options, const String& targetPath,
                                   const IsoString& targetFileName, const IsoString& postfix,
                                   const IsoString& weightPostfix) {
  String directory = options.outputDirectory;
  if (directory.IsEmpty()) {
    // A bare file name lies in the current directory, not in the root.
    String source = targetPath.Find(u'/') == String::notFound ? File::FullPath(targetPath) : targetPath;
    directory = File::ExtractDrive(source) + File::ExtractDirectory(source);
  }
  if (directory.IsEmpty() || !directory.EndsWith(u'/')) directory += u'/';

  String path = directory + File::ExtractName(String(targetFileName)) + String(postfix);
  if (options.useWeightPostfix) path += String(weightPostfix);
  path += ".xnml";
  return path;
}

bool OutputNaming::Resolve(const OutputNamingOptions& options, const String& targetPath,
                           const String& outputXnmlPath, const IsoString& targetFileName,
                           const FITSKeywordArray& keywords, String& outputPath, String& errorLine) {
  if (!outputXnmlPath.IsEmpty()) {
    outputPath = outputXnmlPath;
    return true;
  }
  IsoString postfix, weightPostfix;
  if (!TRVXFitsHeader::getPostfix(keywords, postfix)) {
    errorLine = "**ERROR** TRVXnml failed to read TRVPSTFX from FITSHeader.";
    return false;
  }
  // Required even when the weight postfix is not used.
  if (!TRVXFitsHeader::getWeightPostfix(keywords, weightPostfix)) {
    errorLine = "**ERROR** TRVXnml failed to read TRVWSTR from FITSHeader.";
    return false;
  }
  String path = GeneratedPath(options, targetPath, targetFileName, postfix, weightPostfix);
  File::EnsureNewUniqueFile(path, options.overwriteExistingFiles);
  outputPath = path;
  return true;
}

}  // namespace px
