// Files assembled by hand, independently of the writer, so that reader and
// writer cannot agree on a wrong layout.
#include "hostapp/xisf/XisfReader.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "XisfFixtures.h"

namespace hostapp {
namespace {

using testing::FileWithHeader;
using testing::XisfHeaderXml;

std::vector<float> Pixels(const XisfReader& reader) {
  const XisfImageInfo& i = reader.Images()[0];
  std::vector<float> out(size_t(i.width) * i.height * i.channels, -7.0f);
  reader.ReadPixels(out.data());
  return out;
}

TEST(XisfReader, InterleavedBigEndianUInt16InlineHexBecomesPlanarFloats) {
  // Pixel 0: 0xFFFF, 0x0101; pixel 1: 0x8000, 0x0000 (gray + alpha, interleaved).
  const std::string file = FileWithHeader(XisfHeaderXml(
      "<Image geometry=\"2:1:2\" sampleFormat=\"UInt16\" pixelStorage=\"Normal\" byteOrder=\"big\" "
      "location=\"inline:hex\">ffff0101 80000000</Image>"));
  XisfReader reader = XisfReader::FromBytes(file);
  const XisfImageInfo& info = reader.Images()[0];
  EXPECT_EQ(info.colorSpace, ColorSpace::Gray);  // the default
  EXPECT_EQ(info.channels, 2u);
  EXPECT_EQ(info.bitsPerSample, 16u);
  EXPECT_FALSE(info.floatSample);
  const std::vector<float> expected = {1.0f, float(32768 / 65535.0), float(1 / 255.0), 0.0f};
  EXPECT_EQ(Pixels(reader), expected);
}

TEST(XisfReader, ShuffledZlibAttachmentIsInflatedAndUnshuffled) {
  // 1.0f and -2.0f little-endian, shuffled by 4-byte items.
  const unsigned char shuffled[] = {0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x3F, 0xC0};
  uLongf size = compressBound(sizeof shuffled);
  std::string block(size, '\0');
  ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(block.data()), &size, shuffled, sizeof shuffled, 9), Z_OK);
  block.resize(size);
  // Fixed-width position: the header's length does not depend on it.
  auto header = [&](unsigned position) {
    char location[64];
    std::snprintf(location, sizeof location, "attachment:%08u:%zu", position, block.size());
    return XisfHeaderXml(std::string("<Image geometry=\"2:1:1\" sampleFormat=\"Float32\" colorSpace=\"Gray\" "
                                     "compression=\"zlib+sh:8:4\" location=\"") + location + "\"/>");
  };
  const std::string xml = header(unsigned(16 + header(0).size()));
  XisfReader reader = XisfReader::FromBytes(FileWithHeader(xml, block));
  EXPECT_EQ(Pixels(reader), (std::vector<float>{1.0f, -2.0f}));
}

TEST(XisfReader, EmbeddedDataIgnoresWhiteSpaceAndEveryImageIsDescribed) {
  const std::string file = FileWithHeader(XisfHeaderXml(
      "<Image geometry=\"1:1:3\" sampleFormat=\"UInt8\" colorSpace=\"RGB\" location=\"embedded\">\n"
      "  <FITSKeyword name=\"FIRST\" value=\"1\" comment=\"\"/>\n"
      "  <Data encoding=\"hex\">\n 00\n 33\tFF\n</Data>\n"
      "</Image>\n"
      "<Metadata><Property id=\"XISF:CreatorApplication\" type=\"String\">x</Property></Metadata>\n"
      "<Image geometry=\"640:480:1\" sampleFormat=\"Float64\" location=\"attachment:999999:1\">"
      "<FITSKeyword name=\"SECOND\" value=\"2\" comment=\"\"/></Image>"));
  XisfReader reader = XisfReader::FromBytes(file);
  ASSERT_EQ(reader.Images().size(), 2u);
  EXPECT_EQ(reader.Images()[0].colorSpace, ColorSpace::RGB);
  EXPECT_EQ(reader.Images()[1].width, 640u);
  EXPECT_EQ(reader.Images()[1].sampleFormat, "Float64");
  ASSERT_EQ(reader.Keywords().size(), 1u);
  EXPECT_EQ(reader.Keywords()[0].name, "FIRST");
  EXPECT_EQ(Pixels(reader), (std::vector<float>{0.0f, float(0x33 / 255.0), 1.0f}));
}

TEST(XisfReader, HeaderPaddedWithZerosIsAccepted) {
  const std::string xml = XisfHeaderXml("<Image geometry=\"1:1:1\" sampleFormat=\"UInt8\" location=\"inline:hex\">80</Image>");
  XisfReader reader = XisfReader::FromBytes(FileWithHeader(xml + std::string(37, '\0')));
  EXPECT_EQ(Pixels(reader), std::vector<float>{float(128 / 255.0)});
}

TEST(XisfReader, KeywordsArriveTrimmedInHeaderOrderAsIso88591Bytes) {
  const std::string longValue(300, 'a');
  const std::string file = FileWithHeader(XisfHeaderXml(
      "<Image geometry=\"1:1:1\" sampleFormat=\"UInt8\" location=\"inline:hex\">ff"
      "<FITSKeyword name=\"  TRVREF0 \" value=\"'/data/my\xC2\xAC'\" comment=\"&#9; trimmed &#13;&#10;\"/>"
      "<FITSKeyword name=\"TRVREF1\" value=\"'caf\xC3\xA9 \xE4\xB8\xAD\xF0\x9F\x98\x80.xisf'\" comment=\"\"/>"
      "<FITSKeyword name=\"LONG\" value=\"   " + longValue + "\" comment=\"a &amp; b &lt;c&gt;\"/>"
      "<FITSKeyword name=\"EMPTY\"/>"
      "<FITSKeyword name=\"TRVREF0\" value=\"'duplicate'\" comment=\"\"/>"
      "</Image>"));
  XisfReader reader = XisfReader::FromBytes(file);
  const std::vector<FitsKeyword>& k = reader.Keywords();
  ASSERT_EQ(k.size(), 5u);
  EXPECT_EQ(k[0].name, "TRVREF0");
  EXPECT_EQ(k[0].value, "'/data/my\xAC'");
  EXPECT_EQ(k[0].comment, "trimmed");
  EXPECT_EQ(k[1].name, "TRVREF1");
  EXPECT_EQ(k[1].value, "'caf\xE9 ??.xisf'");  // U+4E2D and U+1F600 lie above U+00FF
  EXPECT_EQ(k[2].value, std::string(256, 'a'));
  EXPECT_EQ(k[2].comment, "a & b <c>");
  EXPECT_EQ(k[3].name, "EMPTY");
  EXPECT_EQ(k[3].value, "");
  EXPECT_EQ(k[3].comment, "");
  EXPECT_EQ(k[4].value, "'duplicate'");
}

TEST(XisfReader, PathsThatAreNotReadableFilesAreRefused) {
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / ("xisf_reader_dir_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  struct Case {
    std::string path, message;
  } cases[] = {
      {(dir / "missing.xisf").string(), "cannot open the file: No such file or directory"},
      {dir.string(), "not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      XisfReader reader(c.path);
      ADD_FAILURE() << "no error";
    } catch (const XisfError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

}  // namespace
}  // namespace hostapp
