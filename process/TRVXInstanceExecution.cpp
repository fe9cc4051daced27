// Global execution of a TRVXnml instance: every target image is converted
// into one .xnml file. A header problem of one target is written in red and
// the next target follows; exceptions end the whole execution.
#include <vector>

#include "core/Exception.h"
#include "core/FITSHeaderKeyword.h"
#include "engine/NormalizationMatrices.h"
#include "engine/OutputNaming.h"
#include "engine/TRVXFitsHeader.h"
#include "file/File.h"
#include "host/Console.h"
#include "host/FileFormat.h"
#include "host/FileFormatInstance.h"
#include "process/TRVXInstance.h"
#include "xnml/LocalNormalizationData.h"

namespace px {

namespace {

// Tests a header file name for existence; writes the two error lines when
// it is missing. Throws File::Error for a name that is blank.
bool CheckExists(Console& console, const IsoString& fileName, const char* role) {
  String name(fileName);
  if (File::Exists(name)) return true;
  console.CriticalLn(String("**ERROR** TRVXnml cannot find ") + role + " file:");
  console.CriticalLn(name);
  return false;
}

// Converts one target. Returns normally both when the file was written and
// when the target ended with an error line.
void ConvertTarget(Console& console, const TRVXInstance::Item& item, const OutputNamingOptions& options) {
  console.Show();
  console.WriteLn("Creating xnml for " + item.targetPath);

  FileFormat format(File::ExtractExtension(item.targetPath), true /*toRead*/, false /*toWrite*/);
  FileFormatInstance file(format);
  std::vector<ImageDescription> images;
  if (!file.Open(images, item.targetPath, IsoString(" verbosity 0"))) throw CaughtException();

  FITSKeywordArray keywords;
  file.ReadFITSKeywords(keywords);

  auto fail = [&](const char* line) { console.CriticalLn(String(line)); };

  TargetHeaderValues header;
  if (!TRVXFitsHeader::getIsReference(keywords, header.isReference))
    return fail("**ERROR** TRVXnml failed to read TRVISREF from FITSHeader.");
  if (!TRVXFitsHeader::getRefFilename(keywords, header.referenceFileName))
    return fail("**ERROR** TRVXnml failed to read TRVREFx from FITSHeader.");
  if (!CheckExists(console, header.referenceFileName, "reference")) return;
  if (!TRVXFitsHeader::getTgtFilename(keywords, header.targetFileName))
    return fail("**ERROR** TRVXnml failed to read TRVTGTx from FITSHeader.");
  if (!CheckExists(console, header.targetFileName, "target")) return;
  if (!TRVXFitsHeader::getWidth(keywords, header.width))
    return fail("**ERROR** TRVXnml failed to read TRVWIDTH from FITSHeader.");
  if (!TRVXFitsHeader::getHeight(keywords, header.height))
    return fail("**ERROR** TRVXnml failed to read TRVHIGHT from FITSHeader.");
  if (!TRVXFitsHeader::getResize(keywords, header.resize))
    return fail("**ERROR** TRVXnml failed to read TRVRESIZ from FITSHeader.");
  if (!TRVXFitsHeader::getBias(keywords, header.bias))
    return fail("**ERROR** TRVXnml failed to read TRVPLUSx from FITSHeader.");
  if (!TRVXFitsHeader::getScale(keywords, header.scale))
    return fail("**ERROR** TRVXnml failed to read TRVSx from FITSHeader.");
  // A channel with a scale but no bias cannot be converted: the header lacks
  // that TRVPLUS value.
  if (HasMissingBias(header)) return fail("**ERROR** TRVXnml failed to read TRVPLUSx from FITSHeader.");

  LocalNormalizationData data;
  BuildNormalizationData(file, header, data);

  String outputPath, errorLine;
  if (!OutputNaming::Resolve(options, item.targetPath, item.outputXnmlPath, header.targetFileName, keywords,
                             outputPath, errorLine)) {
    console.CriticalLn(errorLine);
    return;
  }

  console.WriteLn("<end><cbr>Writing output file: <raw>" + outputPath + "</raw>");
  data.SerializeToFile(outputPath);

  if (!file.Close()) throw CaughtException();
}

}  // namespace

bool TRVXInstance::CanExecuteGlobal(String& whyNot) const {
  if (targetItems.Get().empty()) {
    whyNot = "No target images have been defined.";
    return false;
  }
  return true;
}

bool TRVXInstance::ExecuteGlobal() {
  String whyNot;
  if (!CanExecuteGlobal(whyNot)) throw Error(whyNot);

  Console console;
  OutputNamingOptions options;
  options.outputDirectory = outputDirectory;
  options.overwriteExistingFiles = overwriteExistingFiles != 0;
  options.useWeightPostfix = useWeightPostfix != 0;

  // A shared copy: the list cannot change under the walk.
  const ItemArray items = targetItems;
  for (const Item& item : items.Get()) ConvertTarget(console, item, options);
  return true;
}

}  // namespace px
