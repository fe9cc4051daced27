#include "hostapp/xisf/XisfReader.h"

#include <bit>
#include <cstring>

#include "hostapp/xisf/BinaryText.h"
#include "hostapp/xisf/ByteSource.h"
#include "hostapp/xisf/XisfCodec.h"
#include "hostapp/xisf/XisfHeader.h"
#include "hostapp/xisf/XisfLayout.h"
#include "hostapp/xisf/XisfSamples.h"

namespace hostapp {
namespace {

constexpr char kSignature[] = "XISF0100";
constexpr uint64_t kPreambleSize = 16;  // signature, header length, reserved

std::string Number(uint64_t v) { return std::to_string(v); }

uint32_t LittleEndian32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The data of an inline or embedded block, decoded from the header text.
std::vector<uint8_t> HeaderBlock(const xisf::ImageElement& image, const xisf::Location& location) {
  using Kind = xisf::Location::Kind;
  switch (location.kind) {
    case Kind::InlineBase64: return xisf::DecodeBase64(image.inlineText);
    case Kind::InlineHex: return xisf::DecodeHex(image.inlineText);
    case Kind::Embedded:
      if (!image.hasData) throw XisfError("embedded image data without a Data element");
      if (image.dataEncoding == "base64") return xisf::DecodeBase64(image.dataText);
      if (image.dataEncoding == "hex") return xisf::DecodeHex(image.dataText);
      throw XisfError("unknown Data encoding '" + image.dataEncoding + "'");
    case Kind::Attachment: break;
  }
  return {};
}

}  // namespace

XisfReader::XisfReader(const std::string& utf8Path) : source_(xisf::OpenFileSource(utf8Path)) { Load(); }

XisfReader::XisfReader(std::unique_ptr<xisf::ByteSource> source) : source_(std::move(source)) { Load(); }

XisfReader XisfReader::FromBytes(std::string bytes) { return XisfReader(xisf::MemorySource(std::move(bytes))); }

XisfReader::XisfReader(XisfReader&&) noexcept = default;
XisfReader& XisfReader::operator=(XisfReader&&) noexcept = default;
XisfReader::~XisfReader() = default;

void XisfReader::Load() {
  const uint64_t fileSize = source_->Size();
  if (fileSize < kPreambleSize)
    throw XisfError("file too short for an XISF header (" + Number(fileSize) + " bytes)");
  uint8_t preamble[kPreambleSize];
  source_->Read(0, kPreambleSize, preamble);
  if (std::memcmp(preamble, kSignature, 8) != 0) throw XisfError("not an XISF file (bad signature)");
  const uint64_t headerLength = LittleEndian32(preamble + 8);
  if (headerLength == 0) throw XisfError("the header length is zero");
  if (headerLength > fileSize - kPreambleSize)
    throw XisfError("header length " + Number(headerLength) + " exceeds the file size " + Number(fileSize));

  std::string header(headerLength, '\0');
  source_->Read(kPreambleSize, header.size(), reinterpret_cast<uint8_t*>(header.data()));
  // Writers may pad the header with zeros up to the first attachment.
  while (!header.empty() && header.back() == '\0') header.pop_back();
  std::vector<xisf::ImageElement> elements = xisf::ParseHeader(header.data(), header.size());
  if (elements.empty()) throw XisfError("the file has no Image element");

  for (const xisf::ImageElement& e : elements) images_.push_back(xisf::ParseImageInfo(e));
  keywords_ = elements.front().keywords;

  auto layout = std::make_unique<xisf::ImageLayout>(xisf::ParseImageLayout(elements.front()));
  uint64_t blockSize = 0;
  if (layout->location.kind == xisf::Location::Kind::Attachment) {
    const xisf::Location& l = layout->location;
    if (l.position > fileSize || l.size > fileSize - l.position)
      throw XisfError("data block at " + Number(l.position) + "+" + Number(l.size) +
                      " lies outside the file (size " + Number(fileSize) + ")");
    blockSize = l.size;
  } else {
    headerBlock_ = HeaderBlock(elements.front(), layout->location);
    blockSize = headerBlock_.size();
  }

  const std::string geometry = xisf::GeometryText(layout->info) + " of " + layout->info.sampleFormat + " (" +
                               Number(layout->byteSize) + " bytes)";
  if (layout->compression.codec == xisf::Codec::None) {
    if (blockSize != layout->byteSize)
      throw XisfError("data block of " + Number(blockSize) + " bytes does not match the geometry " + geometry);
  } else {
    if (layout->compression.uncompressedSize != layout->byteSize)
      throw XisfError("declared uncompressed size " + Number(layout->compression.uncompressedSize) +
                      " does not match the geometry " + geometry);
    xisf::CheckCompressedBlock(layout->compression, blockSize);
  }
  first_ = std::move(layout);
}

void XisfReader::ReadPixels(float* out) const {
  const xisf::ImageLayout& layout = *first_;
  std::vector<uint8_t> fileBlock;
  const std::vector<uint8_t>* block = &headerBlock_;
  if (layout.location.kind == xisf::Location::Kind::Attachment) {
    // Planar little-endian Float32 is already what the caller wants: read it
    // straight into place instead of through a second full-size buffer.
    if (std::endian::native == std::endian::little && layout.compression.codec == xisf::Codec::None &&
        layout.planar && !layout.bigEndian &&
        layout.info.sampleFormat == "Float32" && layout.location.size == layout.byteSize) {
      source_->Read(layout.location.position, layout.byteSize, reinterpret_cast<uint8_t*>(out));
      return;
    }
    fileBlock.resize(layout.location.size);
    source_->Read(layout.location.position, fileBlock.size(), fileBlock.data());
    block = &fileBlock;
  }
  if (layout.compression.codec == xisf::Codec::None) {
    xisf::DecodeSamples(layout.info, layout.planar, layout.bigEndian, block->data(), out);
    return;
  }
  std::vector<uint8_t> raw = xisf::Decompress(layout.compression, block->data(), block->size());
  fileBlock = {};
  xisf::DecodeSamples(layout.info, layout.planar, layout.bigEndian, raw.data(), out);
}

}  // namespace hostapp
