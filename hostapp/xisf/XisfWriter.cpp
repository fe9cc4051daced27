#include "hostapp/xisf/XisfWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "hostapp/xisf/BinaryText.h"
#include "hostapp/xisf/Latin1.h"
#include "hostapp/xisf/XisfCodec.h"
#include "hostapp/xisf/XisfHeader.h"
#include "hostapp/xisf/XisfLayout.h"
#include "hostapp/xisf/XisfSamples.h"

namespace hostapp {
namespace {

constexpr size_t kAlignment = 16;

// Attribute text for ISO 8859-1 bytes. Characters XML 1.0 cannot hold become
// "?"; tab, LF and CR are written as references so they survive attribute
// normalisation.
std::string Attribute(const std::string& latin1) {
  std::string out;
  for (char c : xisf::Latin1ToUtf8(latin1)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\t': out += "&#9;"; break;
      case '\n': out += "&#10;"; break;
      case '\r': out += "&#13;"; break;
      default: out.push_back(uint8_t(c) < 0x20 ? '?' : c);
    }
  }
  return out;
}

std::string ImageElementText(const XisfImageInfo& info, const XisfWriteOptions& options,
                             const xisf::Compression& compression, const std::string& location,
                             const std::string& inlineText, const std::string& embedded,
                             const std::vector<FitsKeyword>& keywords) {
  std::string s = "<Image geometry=\"" + xisf::GeometryText(info) + "\" sampleFormat=\"" + info.sampleFormat + "\"";
  if (info.floatSample) s += " bounds=\"0:1\"";
  s += std::string(" colorSpace=\"") + (info.colorSpace == ColorSpace::RGB ? "RGB" : "Gray") + "\"";
  if (options.normalStorage) s += " pixelStorage=\"Normal\"";
  if (options.bigEndian) s += " byteOrder=\"big\"";
  if (compression.codec != xisf::Codec::None) {
    s += " compression=\"" + xisf::CompressionAttribute(compression) + "\"";
    if (!compression.subblocks.empty()) s += " subblocks=\"" + xisf::SubblocksAttribute(compression) + "\"";
  }
  s += " location=\"" + location + "\">";
  s += inlineText;
  for (const FitsKeyword& k : keywords)
    s += "\n<FITSKeyword name=\"" + Attribute(k.name) + "\" value=\"" + Attribute(k.value) + "\" comment=\"" +
         Attribute(k.comment) + "\"/>";
  s += embedded;
  s += "\n</Image>";
  return s;
}

std::string Header(const std::string& image) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xisf version=\"1.0\" xmlns=\"") +
         xisf::kXisfNamespace + "\">\n" + image +
         "\n<Metadata>\n<Property id=\"XISF:CreatorApplication\" type=\"String\">TRVXnml stand-in host</Property>"
         "\n</Metadata>\n</xisf>\n";
}

void AppendLE32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(char(uint8_t(v >> (8 * i))));
}

}  // namespace

std::string XisfBytes(uint32_t width, uint32_t height, uint32_t channels, ColorSpace cs, const float* planar,
                      const std::vector<FitsKeyword>& keywords, const XisfWriteOptions& options) {
  XisfImageInfo info;
  info.width = width, info.height = height, info.channels = channels, info.colorSpace = cs;
  info.sampleFormat = options.sampleFormat;
  if (!xisf::SampleFormatByName(info.sampleFormat, info.bitsPerSample, info.floatSample))
    throw XisfError("unknown sample format '" + info.sampleFormat + "'");
  if (width == 0 || height == 0 || channels == 0) throw XisfError("cannot write an empty image");
  if (cs == ColorSpace::RGB && channels < 3) throw XisfError("an RGB image needs 3 channels");

  std::vector<uint8_t> data = xisf::EncodeSamples(info, !options.normalStorage, options.bigEndian, planar);
  xisf::Compression compression;
  if (!options.codec.empty()) {
    compression.codec = xisf::CodecByName(options.codec);
    compression.shuffled = options.shuffle;
    compression.itemSize = info.bitsPerSample / 8;
    data = xisf::Compress(compression, std::move(data), options.subblockSize);
  }

  using Where = XisfWriteOptions::Location;
  std::string inlineText, embedded, location;
  switch (options.location) {
    case Where::InlineBase64:
      location = "inline:base64";
      inlineText = xisf::EncodeBase64(data.data(), data.size());
      break;
    case Where::InlineHex:
      location = "inline:hex";
      inlineText = xisf::EncodeHex(data.data(), data.size());
      break;
    case Where::Embedded:
      location = "embedded";
      embedded = "\n<Data encoding=\"base64\">" + xisf::EncodeBase64(data.data(), data.size()) + "</Data>";
      break;
    case Where::Attachment: break;
  }

  std::string header;
  uint64_t position = 0;
  if (options.location == Where::Attachment) {
    // The position is part of the header it follows: grow it until it stays put.
    for (uint64_t guess = 0;;) {
      location = "attachment:" + std::to_string(guess) + ":" + std::to_string(data.size());
      header = Header(ImageElementText(info, options, compression, location, "", "", keywords));
      position = (16 + header.size() + kAlignment - 1) / kAlignment * kAlignment;
      if (position == guess) break;
      guess = position;
    }
  } else {
    header = Header(ImageElementText(info, options, compression, location, inlineText, embedded, keywords));
  }

  std::string out = "XISF0100";
  AppendLE32(out, uint32_t(header.size()));
  AppendLE32(out, 0);
  out += header;
  if (options.location == Where::Attachment) {
    out.resize(position, '\0');
    out.append(reinterpret_cast<const char*>(data.data()), data.size());
  }
  return out;
}

void WriteXisf(const std::string& utf8Path, uint32_t width, uint32_t height, uint32_t channels, ColorSpace cs,
               const float* planar, const std::vector<FitsKeyword>& keywords, const XisfWriteOptions& options) {
  const std::string bytes = XisfBytes(width, height, channels, cs, planar, keywords, options);
  std::FILE* f = std::fopen(utf8Path.c_str(), "wb");
  if (f == nullptr) throw XisfError("cannot create the file: " + std::string(std::strerror(errno)));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) throw XisfError("cannot write the file: " + std::string(std::strerror(errno)));
}

}  // namespace hostapp
