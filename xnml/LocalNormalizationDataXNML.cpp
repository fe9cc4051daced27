// The XNML 1.0 document of a LocalNormalizationData set.
#include <algorithm>
#include <bit>
#include <charconv>
#include <string>

#include "compression/LZ4Compression.h"
#include "core/Exception.h"
#include "xml/XMLComment.h"
#include "xml/XMLDocument.h"
#include "xml/XMLElement.h"
#include "xml/XMLText.h"
#include "xnml/Base64Payload.h"
#include "xnml/LocalNormalizationData.h"
#include "xnml/TimePoint.h"

namespace px {

// Channel data is written as the in-memory float bytes, which the format
// defines as little-endian.
static_assert(std::endian::native == std::endian::little);

namespace {

const char* const kNamespace = "http://www.pixinsight.com/xnml";
const char* const kSchemaInstance = "http://www.w3.org/2001/XMLSchema-instance";
const char* const kSchemaLocation = "http://www.pixinsight.com/xnml http://pixinsight.com/xnml/xnml-1.0.xsd";
const char* const kComment =
    "\nPixInsight XML Local Normalization Data Format - XNML version 1.0"
    "\nCreated with PixInsight software - https://pixinsight.com/\n";

String Int(int value) { return String(std::string_view(std::to_string(value))); }

// "%.16g" of every element, comma-separated. to_chars is the C-locale printf
// conversion, whatever locale the host process runs in.
IsoString NumberList(const DVector& v) {
  std::string out;
  char buffer[64];
  for (size_t i = 0; i < v.Length(); ++i) {
    if (i > 0) out.push_back(',');
    auto r = std::to_chars(buffer, buffer + sizeof buffer, v[i], std::chars_format::general, 16);
    out.append(buffer, r.ptr);
  }
  return IsoString(std::move(out));
}

// An element holding one preserved, escaped text node.
XMLElement* TextElement(XMLElement& parent, const char* name, const String& text) {
  auto* e = new XMLElement(parent, name);
  e->AddChildNode(new XMLText(text, true, false));
  return e;
}

// ASCII payloads (Base64, number lists) stay 8-bit in the tree.
XMLElement* TextElement(XMLElement& parent, const char* name, const IsoString& asciiText) {
  auto* e = new XMLElement(parent, name);
  e->AddChildNode(new XMLText(asciiText, true, false));
  return e;
}

// LZ4 at its default level over the whole channel as one block (split only
// beyond LZ4's input limit), 32-bit items shuffled, threads allowed.
LZ4Compression MatrixCodec() {
  LZ4Compression codec;
  codec.SetMaxProcessors(1023);
  codec.EnableParallelProcessing(true);
  codec.SetCompressionLevel(0);
  codec.SetSubblockSize(0);
  codec.SetItemSize(4);
  codec.EnableByteShuffling(true);
  return codec;
}

}  // namespace

std::unique_ptr<XMLDocument> LocalNormalizationData::Serialize() const {
  if (!IsValid()) throw Error("LocalNormalizationData::Serialize(): Uninitialized or invalid local normalization data.");

  auto doc = std::make_unique<XMLDocument>();
  doc->SetXML("1.0", "UTF-8", false);
  doc->AddNode(new XMLComment(kComment));

  XMLAttributeList rootAttributes;
  rootAttributes.SetAttribute("version", "1.0");
  if (invalid_) rootAttributes.SetAttribute("valid", "false");
  rootAttributes.SetAttribute("xmlns", kNamespace);
  rootAttributes.SetAttribute("xmlns:xsi", kSchemaInstance);
  rootAttributes.SetAttribute("xsi:schemaLocation", kSchemaLocation);
  // A fresh element with no root set yet: SetRootElement can fail only for
  // lack of memory, and then deletes it.
  auto* root = new XMLElement("xnml", rootAttributes);
  doc->SetRootElement(root);
  XMLElement& xnml = *root;

  TextElement(xnml, "CreationTime", TimePoint::Now().ToIsoString(ISO8601ConversionOptions(3, 3, true, true)));
  TextElement(xnml, "ReferenceImage", referenceFilePath_);
  TextElement(xnml, "TargetImage", targetFilePath_);

  auto* geometry = new XMLElement(xnml, "ReferenceGeometry");
  geometry->SetAttribute("width", Int(referenceWidth_));
  geometry->SetAttribute("height", Int(referenceHeight_));
  geometry->SetAttribute("numberOfChannels", Int(scaleMatrices_.NumberOfChannels()));

  auto* normalization = new XMLElement(xnml, "LocalNormalization");
  normalization->SetAttribute("scale", Int(normalizationScale_));
  normalization->SetAttribute("version", Int(std::max(1, formatVersion_)));
  if (invalid_) return doc;

  // One codec for both sets: its shuffle buffer serves every channel.
  LZ4Compression codec = MatrixCodec();
  SerializeMatrices(*new XMLElement(*normalization, "Scale"), scaleMatrices_, codec);
  SerializeMatrices(*new XMLElement(*normalization, "ZeroOffset"), zeroOffsetMatrices_, codec);
  codec.ReleaseWorkspace();
  if (!bias_.IsEmpty()) TextElement(*normalization, "Bias", NumberList(bias_));

  if (!globalScale_.IsEmpty() && !globalReferenceLocation_.IsEmpty() && !globalTargetLocation_.IsEmpty()) {
    auto* global = new XMLElement(xnml, "GlobalNormalization");
    TextElement(*global, "Scale", NumberList(globalScale_));
    TextElement(*global, "ReferenceLocation", NumberList(globalReferenceLocation_));
    TextElement(*global, "TargetLocation", NumberList(globalTargetLocation_));
  }

  if (!relativeScaleFactors_.IsEmpty()) TextElement(xnml, "RelativeScaleFactors", NumberList(relativeScaleFactors_));
  return doc;
}

void LocalNormalizationData::SerializeNormalizationMatrices(XMLElement& element, const Image& matrices) const {
  LZ4Compression codec = MatrixCodec();
  SerializeMatrices(element, matrices, codec);
}

void LocalNormalizationData::SerializeMatrices(XMLElement& element, const Image& matrices,
                                               const LZ4Compression& codec) const {
  element.SetAttribute("width", Int(matrices.Width()));
  element.SetAttribute("height", Int(matrices.Height()));
  element.SetAttribute("numberOfChannels", Int(matrices.NumberOfChannels()));
  element.SetAttribute("sampleFormat", "Float32");

  size_t bytes = matrices.NumberOfPixels() * sizeof(float);
  for (int k = 0; k < matrices.NumberOfChannels(); ++k) {
    auto* channel = new XMLElement(element, "ChannelData");
    const float* samples = matrices.PixelData(k);  // read-only: storage stays shared
    if (compressionEnabled_) {
      Compression::SubblockList subblocks = codec.Compress(samples, bytes);
      if (!subblocks.empty()) {
        channel->SetAttribute("compression", codec.AlgorithmName() + "+sh");
        for (Compression::Subblock& subblock : subblocks) {
          auto* e = new XMLElement(*channel, "Subblock");
          e->SetAttribute("uncompressedSize", String(std::string_view(std::to_string(subblock.uncompressedSize))));
          // The document keeps the compressed bytes and writes their Base64
          // directly into its output: no text copy of tens of MiB.
          e->AddChildNode(new XMLText(std::make_unique<Base64Payload>(std::move(subblock.data)), true, false));
        }
        continue;
      }
    }
    // Shares the matrix storage; encoded when the document is written.
    channel->AddChildNode(new XMLText(std::make_unique<Base64Payload>(matrices, k), true, false));
  }
}

void LocalNormalizationData::SerializeToFile(const String& path) const {
  std::unique_ptr<XMLDocument> doc = Serialize();
  doc->SetAutoFormatting(true);
  doc->SetIndentSize(3);
  doc->SetIndentWithTabs(false);
  doc->SerializeToFile(path);
}

}  // namespace px
