// Mutations of valid fixtures: each must be refused with an XisfError that
// says what is wrong, never a crash or a huge allocation.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "XisfFixtures.h"
#include "hostapp/xisf/BinaryText.h"
#include "hostapp/xisf/XisfReader.h"
#include "hostapp/xisf/XisfWriter.h"

namespace hostapp {
namespace {

using testing::FileWithHeader;
using testing::HeaderOf;
using testing::Replaced;

// 4x3 gray Float32 (48 bytes of samples).
std::string Fixture(XisfWriteOptions::Location where, const std::string& codec = "") {
  const std::vector<float> pixels = testing::LadderPixels(4, 3, 1);
  XisfWriteOptions o;
  o.location = where;
  o.codec = codec;
  return XisfBytes(4, 3, 1, ColorSpace::Gray, pixels.data(), {{"TRVISREF", "'true'", ""}}, o);
}

std::string InlineFixture() { return Fixture(XisfWriteOptions::Location::InlineBase64); }

// The inline fixture with one change to its header text.
std::string InlineWith(const std::string& from, const std::string& to) {
  return FileWithHeader(Replaced(HeaderOf(InlineFixture()), from, to));
}

std::string CompressedWith(const std::string& codec, const std::string& from, const std::string& to) {
  return FileWithHeader(Replaced(HeaderOf(Fixture(XisfWriteOptions::Location::InlineBase64, codec)), from, to));
}

std::string WithHeaderLength(std::string file, uint32_t length) {
  return file.replace(8, 4, testing::LittleEndian32(length));
}

// The attachment's size digits replaced by as many nines: same header
// length, a block reaching past the end of the file.
std::string AttachmentSizeInflated() {
  std::string file = Fixture(XisfWriteOptions::Location::Attachment);
  size_t at = file.find(":48\"");
  return file.replace(at + 1, 2, "99");
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const XisfError& e) {
    return e.what();
  } catch (const std::exception& e) {
    return std::string("unexpected exception: ") + e.what();
  }
  return "no error";
}

struct Case {
  const char* name;
  std::string file;
  std::string message;  // expected part of the error text
};

TEST(XisfMalformed, StructuralProblemsAreRefusedWhenOpening) {
  const std::string attached = Fixture(XisfWriteOptions::Location::Attachment);
  const std::string inlined = InlineFixture();
  const std::vector<Case> cases = {
      {"empty file", "", "file too short for an XISF header (0 bytes)"},
      {"truncated preamble", inlined.substr(0, 10), "file too short for an XISF header (10 bytes)"},
      {"wrong signature", "XISF0200" + inlined.substr(8), "not an XISF file (bad signature)"},
      {"header length beyond file", WithHeaderLength(inlined, 9999),
       "header length 9999 exceeds the file size " + std::to_string(inlined.size())},
      {"truncated header", attached.substr(0, 100), "header length"},
      {"zero header length", WithHeaderLength(inlined, 0), "the header length is zero"},
      {"malformed XML", InlineWith("</Image>", "</Imag>"), "malformed XML header: mismatched tag at line"},
      {"foreign root", InlineWith("http://www.pixinsight.com/xisf", "urn:other"), "root element is not <xisf>"},
      {"document type", InlineWith("<xisf ", "<!DOCTYPE xisf [<!ENTITY a \"aaaa\">]><xisf "),
       "document type declaration"},
      {"no Image element", FileWithHeader(Replaced(Replaced(HeaderOf(inlined), "<Image ", "<Picture "),
                                                   "</Image>", "</Picture>")),
       "the file has no Image element"},
      {"no geometry", InlineWith("geometry=\"4:3:1\"", ""), "the Image element has no geometry"},
      {"geometry without channels", InlineWith("4:3:1", "4:3"), "geometry '4:3' is not width:height:channels"},
      {"zero width", InlineWith("4:3:1", "0:3:1"), "invalid geometry '0:3:1'"},
      {"signed height", InlineWith("4:3:1", "4:+3:1"), "invalid geometry '4:+3:1'"},
      {"overflowing geometry", InlineWith("4:3:1", "4294967295:4294967295:3"),
       "geometry '4294967295:4294967295:3' is too large"},
      {"geometry disagrees with block", InlineWith("4:3:1", "4:2:1"),
       "data block of 48 bytes does not match the geometry 4:2:1 of Float32 (32 bytes)"},
      {"unknown sample format", InlineWith("Float32", "Complex32"), "unknown sample format 'Complex32'"},
      {"unknown colour space", InlineWith("\"Gray\"", "\"CIELab\""), "unknown colour space 'CIELab'"},
      {"RGB with one channel", InlineWith("\"Gray\"", "\"RGB\""), "an RGB image needs 3 channels"},
      {"unknown storage", InlineWith("colorSpace", "pixelStorage=\"Diagonal\" colorSpace"),
       "unknown pixel storage 'Diagonal'"},
      {"unknown byte order", InlineWith("colorSpace", "byteOrder=\"middle\" colorSpace"),
       "unknown byte order 'middle'"},
      {"no location", InlineWith("location=\"inline:base64\"", ""), "the Image element has no location"},
      {"invalid location", InlineWith("inline:base64", "attachment:16"), "invalid data location 'attachment:16'"},
      {"invalid Base64", InlineWith("<FITSKeyword", "*<FITSKeyword"), "invalid Base64 data"},
      {"embedded without Data", InlineWith("inline:base64", "embedded"), "embedded image data without a Data element"},
      {"block outside the file", attached.substr(0, attached.size() - 1),
       "lies outside the file (size " + std::to_string(attached.size() - 1) + ")"},
      {"block size beyond the file", AttachmentSizeInflated(), "+99 lies outside the file"},
      {"unknown codec", CompressedWith("zstd", "zstd:", "bzip2:"), "unknown compression codec 'bzip2'"},
      {"invalid compression", CompressedWith("zstd", "zstd:48", "zstd"), "invalid compression 'zstd'"},
      {"declared size disagrees with geometry", CompressedWith("zstd", "zstd:48", "zstd:47"),
       "declared uncompressed size 47 does not match the geometry 4:3:1 of Float32 (48 bytes)"},
      {"declared size impossible for the block",
       CompressedWith("zlib", "geometry=\"4:3:1\" sampleFormat=\"Float32\" bounds=\"0:1\" colorSpace=\"Gray\" "
                              "compression=\"zlib:48\"",
                      "geometry=\"100000:100000:1\" sampleFormat=\"Float32\" compression=\"zlib:40000000000\""),
       "cannot hold the declared 40000000000 bytes"},
      {"subblocks that do not add up", CompressedWith("lz4", "location=", "subblocks=\"5,48\" location="),
       "compressed subblocks add up to 5 bytes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error = ErrorOf([&] { XisfReader::FromBytes(c.file); });
    EXPECT_NE(error.find(c.message), std::string::npos) << "error: " << error << "\nexpected: " << c.message;
  }
}

// A compressed block whose declared size lies passes the opening checks and
// fails when the pixels are decoded.
TEST(XisfMalformed, CompressedBlockThatDecodesToAnotherSizeIsRefusedWhenRead) {
  for (const char* codec : {"zlib", "lz4", "lz4hc", "zstd"}) {
    const std::string name = std::string(codec) + ":48";
    const std::vector<Case> cases = {
        {"shorter", CompressedWith(codec, "4:3:1\"", "4:4:1\""), ""},
        {"longer", CompressedWith(codec, "4:3:1\"", "4:2:1\""), "more than 32 bytes"},
    };
    for (Case c : cases) {
      c.file = Replaced(c.file, name, std::string(codec) + (c.name == std::string("shorter") ? ":64" : ":32"));
      if (c.message.empty()) c.message = "decodes to 48 bytes, declared 64";
      SCOPED_TRACE(std::string(codec) + " " + c.name);
      std::string error = ErrorOf([&] {
        XisfReader reader = XisfReader::FromBytes(c.file);
        std::vector<float> out(64);
        reader.ReadPixels(out.data());
      });
      EXPECT_NE(error.find(c.message), std::string::npos) << "error: " << error;
    }
  }
}

TEST(XisfMalformed, TruncatedCompressedStreamIsRefusedWhenRead) {
  for (const char* codec : {"zlib", "lz4", "lz4hc", "zstd"}) {
    SCOPED_TRACE(codec);
    const std::string file = Fixture(XisfWriteOptions::Location::InlineBase64, codec);
    std::string header = HeaderOf(file);
    size_t begin = header.find('>', header.find("<Image")) + 1;
    size_t end = header.find("\n<FITSKeyword");
    std::vector<uint8_t> block = xisf::DecodeBase64(header.substr(begin, end - begin));
    block.resize(block.size() - 3);
    header.replace(begin, end - begin, xisf::EncodeBase64(block.data(), block.size()));
    std::string error = ErrorOf([&] {
      XisfReader reader = XisfReader::FromBytes(FileWithHeader(header));
      std::vector<float> out(12);
      reader.ReadPixels(out.data());
    });
    EXPECT_NE(error.find(codec == std::string("lz4hc") ? "lz4" : codec), std::string::npos) << "error: " << error;
  }
}

}  // namespace
}  // namespace hostapp
