#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "HostServicesFixture.h"
#include "hostapp/services/HostErrors.h"
#include "hostapp/services/TextConversion.h"
#include "hostapp/xisf/XisfReader.h"
#include "hostapp/xisf/XisfWriter.h"

namespace hostapp {
namespace {

// What a sink was asked for, and the storage it handed out.
struct Sink {
  uint32_t width = 0, height = 0, channels = 0;
  int32_t colorSpace = 0;
  int calls = 0;
  bool refuse = false;
  std::vector<float> pixels;

  static float* Allocate(void* context, uint32_t w, uint32_t h, uint32_t c, int32_t cs) {
    auto* self = static_cast<Sink*>(context);
    ++self->calls;
    self->width = w;
    self->height = h;
    self->channels = c;
    self->colorSpace = cs;
    if (self->refuse) return nullptr;
    self->pixels.assign(size_t(w) * h * c, -1.0f);
    return self->pixels.data();
  }
  api_image_sink Api() { return api_image_sink{this, &Sink::Allocate}; }
};

class FileFormatServices : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const auto& p : files_) std::remove(p.c_str());
  }

  std::string Path(const std::string& name) {
    files_.push_back(::testing::TempDir() + "trvx_ffs_" + std::to_string(::getpid()) + "_" + name);
    return files_.back();
  }

  std::string WriteBytes(const std::string& name, const std::string& bytes) {
    std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static api_handle Format() {
    return HOST_FN(FileFormat, GetFileFormatByFileExtension)(u".xisf", 1, 0);
  }

  // A new instance with `path` open; fails the test when it does not open.
  static api_handle OpenInstance(const std::string& path) {
    api_handle instance = HOST_FN(FileFormat, CreateFileFormatInstance)(Format());
    EXPECT_NE(instance, nullptr);
    std::u16string p = Utf8ToUtf16(path);
    EXPECT_EQ(HOST_FN(FileFormat, OpenImageFileEx)(instance, p.c_str(), " verbosity 0", 0), 1) << path;
    return instance;
  }

  std::vector<std::string> files_;
};

TEST_F(FileFormatServices, OnlyXisfIsFoundAndOnlyForReading) {
  struct Case {
    const char16_t* extension;
    api_bool toRead, toWrite;
    bool found;
  };
  const Case cases[] = {
      {u".xisf", 1, 0, true},  {u".XISF", 1, 0, true},   {u".XiSf", 1, 0, true},
      {u".fits", 1, 0, false}, {u".xisf2", 1, 0, false}, {u"xisf", 1, 0, false},
      {u"", 1, 0, false},      {u".", 1, 0, false},      {u".xisf", 1, 1, false},
      {u".xisf", 0, 1, false},
  };
  for (const Case& c : cases) {
    api_handle format = HOST_FN(FileFormat, GetFileFormatByFileExtension)(c.extension, c.toRead, c.toWrite);
    EXPECT_EQ(format != nullptr, c.found) << Utf16ToUtf8(c.extension) << " read " << c.toRead << " write "
                                          << c.toWrite;
  }
  EXPECT_EQ(HOST_FN(FileFormat, GetFileFormatByFileExtension)(nullptr, 1, 0), nullptr);
  EXPECT_EQ(Format(), HOST_FN(FileFormat, GetFileFormatByFileExtension)(u".XISF", 1, 0));
}

TEST_F(FileFormatServices, AnOpenFailureWritesOneLineNamingFileAndCauseAndSetsTheLastError) {
  std::string good = XisfBytes(2, 1, 1, ColorSpace::Gray, std::vector<float>{0.25f, 0.5f}.data(), {});
  std::string truncated = WriteBytes("truncated.xisf", good.substr(0, good.size() / 2));
  std::string missing = Path("missing.xisf");

  for (const std::string& path : {truncated, missing}) {
    std::string cause;
    try {
      XisfReader reader(path);
      ADD_FAILURE() << "the reader accepted " << path;
    } catch (const XisfError& e) {
      cause = e.what();
    }
    testing::RecordedConsole recorded;
    ClearHostError();
    api_handle instance = HOST_FN(FileFormat, CreateFileFormatInstance)(Format());
    std::u16string p = Utf8ToUtf16(path);
    EXPECT_EQ(HOST_FN(FileFormat, OpenImageFileEx)(instance, p.c_str(), " verbosity 0", 0), 0);

    std::u16string message = p + u": " + Utf8ToUtf16(cause);
    std::vector<ConsoleWrite> expected = {{u"\x1b[31m*** Error: " + message + u"\x1b[39m", true, false}};
    EXPECT_EQ(recorded.Writes(), expected);

    uint32_t code = HOST_FN(Global, LastError)();
    EXPECT_EQ(code, kHostErrorFileOpen);
    api_size length = 0;
    ASSERT_EQ(HOST_FN(Global, ErrorMessage)(code, nullptr, &length), 1);
    std::u16string text(length, u'\0');
    ASSERT_EQ(HOST_FN(Global, ErrorMessage)(code, text.data(), &length), 1);
    EXPECT_EQ(text, message + u'\0');

    // Nothing is open afterwards.
    EXPECT_EQ(HOST_FN(FileFormat, GetImageCount)(instance), 0u);
    EXPECT_EQ(HOST_FN(FileFormat, CloseImageFile)(instance), 0);
    HOST_FN(Global, DestroyObject)(instance);
  }
}

TEST_F(FileFormatServices, AnOpenFailureOnAWorkerThreadGoesToThatThreadsOutput) {
  struct Job {
    std::string path;
    api_bool opened = 1;
  } job{WriteBytes("garbage.xisf", "not an image at all, just text")};
  testing::RecordedConsole recorded;
  api_handle thread = HOST_FN(Thread, CreateThread)(nullptr, [](void* data) {
    auto* job = static_cast<Job*>(data);
    api_handle instance = HOST_FN(FileFormat, CreateFileFormatInstance)(
        HOST_FN(FileFormat, GetFileFormatByFileExtension)(u".xisf", 1, 0));
    std::u16string p = Utf8ToUtf16(job->path);
    job->opened = HOST_FN(FileFormat, OpenImageFileEx)(instance, p.c_str(), "", 0);
    HOST_FN(Global, DestroyObject)(instance);
  }, &job);
  ASSERT_EQ(HOST_FN(Thread, StartThread)(thread, 6), 1);
  ASSERT_EQ(HOST_FN(Thread, WaitThread)(thread, 0xFFFFFFFFu), 1);
  EXPECT_EQ(job.opened, 0);
  ASSERT_EQ(recorded.Writes().size(), 1u);
  EXPECT_TRUE(recorded.Writes()[0].workerThread);
  EXPECT_NE(recorded.Writes()[0].text.find(Utf8ToUtf16(job.path)), std::u16string::npos);
  HOST_FN(Global, DestroyObject)(thread);
}

TEST_F(FileFormatServices, KeywordsComeInHeaderOrderCutToTheBufferCapacity) {
  const std::vector<FitsKeyword> keywords = {
      {"TRVISREF", "'true'", "reference flag"},
      {"TRVREF0", "'/data/raw/ref\xac'", ""},
      {"TRVWIDTH", "1024", "width of the reference"},
  };
  const float pixel = 0.5f;
  std::string path = Path("keywords.xisf");
  WriteXisf(path, 1, 1, 1, ColorSpace::Gray, &pixel, keywords);
  api_handle instance = OpenInstance(path);

  auto next = HOST_FN(FileFormat, GetNextKeyword);
  char name[257], value[257], comment[257];
  EXPECT_EQ(next(instance, name, value, comment, 257), 0) << "records before extraction began";

  ASSERT_EQ(HOST_FN(FileFormat, BeginKeywordExtraction)(instance), 1);
  for (const FitsKeyword& k : keywords) {
    ASSERT_EQ(next(instance, name, value, comment, 257), 1);
    EXPECT_EQ(std::string(name), k.name);
    EXPECT_EQ(std::string(value), k.value);
    EXPECT_EQ(std::string(comment), k.comment);
  }
  EXPECT_EQ(next(instance, name, value, comment, 257), 0);
  HOST_FN(FileFormat, EndKeywordExtraction)(instance);

  // Each field is cut to capacity - 1 bytes and terminated; nothing beyond
  // the capacity is touched.
  ASSERT_EQ(HOST_FN(FileFormat, BeginKeywordExtraction)(instance), 1);
  char small[3][8];
  for (auto& field : small) std::fill(std::begin(field), std::end(field), '#');
  ASSERT_EQ(next(instance, small[0], small[1], small[2], 5), 1);
  EXPECT_EQ(std::string(small[0], 8), std::string("TRVI\0###", 8));
  EXPECT_EQ(std::string(small[1], 8), std::string("'tru\0###", 8));
  EXPECT_EQ(std::string(small[2], 8), std::string("refe\0###", 8));
  ASSERT_EQ(next(instance, small[0], small[1], small[2], 1), 1);
  EXPECT_EQ(small[0][0], '\0');
  EXPECT_EQ(next(instance, name, value, comment, 0), 0) << "no room even for the terminator";
  HOST_FN(FileFormat, EndKeywordExtraction)(instance);
  EXPECT_EQ(next(instance, name, value, comment, 257), 0) << "records after extraction ended";

  EXPECT_EQ(HOST_FN(FileFormat, CloseImageFile)(instance), 1);
  HOST_FN(Global, DestroyObject)(instance);
}

TEST_F(FileFormatServices, ReadImageDescribesAndDeliversEveryChannelAsPlanarFloats) {
  // RGB with one alpha channel, 3x2, stored as UInt16 so the reader converts.
  const uint32_t w = 3, h = 2, c = 4;
  std::vector<float> planar(w * h * c);
  for (size_t i = 0; i < planar.size(); ++i) planar[i] = float(i * 1000) / 65535.0f;
  XisfWriteOptions options;
  options.sampleFormat = "UInt16";
  std::string path = Path("rgba.xisf");
  WriteXisf(path, w, h, c, ColorSpace::RGB, planar.data(), {}, options);
  api_handle instance = OpenInstance(path);

  EXPECT_EQ(HOST_FN(FileFormat, GetImageCount)(instance), 1u);
  api_image_info info{};
  ASSERT_EQ(HOST_FN(FileFormat, GetImageDescription)(instance, 0, &info), 1);
  EXPECT_EQ(info.width, w);
  EXPECT_EQ(info.height, h);
  EXPECT_EQ(info.numberOfChannels, c);
  EXPECT_EQ(info.colorSpace, API_COLORSPACE_RGB);
  EXPECT_EQ(info.bitsPerSample, 16u);
  EXPECT_EQ(info.floatSample, 0);
  EXPECT_EQ(HOST_FN(FileFormat, GetImageDescription)(instance, 1, &info), 0);

  Sink sink;
  api_image_sink api = sink.Api();
  ASSERT_EQ(HOST_FN(FileFormat, ReadImage)(instance, &api), 1);
  EXPECT_EQ(sink.calls, 1);
  EXPECT_EQ(sink.width, w);
  EXPECT_EQ(sink.height, h);
  EXPECT_EQ(sink.channels, c);
  EXPECT_EQ(sink.colorSpace, API_COLORSPACE_RGB);
  ASSERT_EQ(sink.pixels.size(), planar.size());
  for (size_t i = 0; i < planar.size(); ++i) EXPECT_FLOAT_EQ(sink.pixels[i], planar[i]) << i;

  Sink refusing;
  refusing.refuse = true;
  api_image_sink refusingApi = refusing.Api();
  EXPECT_EQ(HOST_FN(FileFormat, ReadImage)(instance, &refusingApi), 0);
  EXPECT_EQ(refusing.calls, 1);
  EXPECT_EQ(HOST_FN(FileFormat, ReadImage)(instance, nullptr), 0);

  EXPECT_EQ(HOST_FN(FileFormat, CloseImageFile)(instance), 1);
  EXPECT_EQ(HOST_FN(FileFormat, CloseImageFile)(instance), 0) << "closed twice";
  EXPECT_EQ(HOST_FN(FileFormat, GetImageCount)(instance), 0u);
  Sink afterClose;
  api_image_sink afterCloseApi = afterClose.Api();
  EXPECT_EQ(HOST_FN(FileFormat, ReadImage)(instance, &afterCloseApi), 0);
  EXPECT_EQ(afterClose.calls, 0);
  HOST_FN(Global, DestroyObject)(instance);
}

TEST_F(FileFormatServices, WrongHandlesAreRefused) {
  int notAnInstance = 0;
  api_handle console = HOST_FN(Global, GetConsole)();
  EXPECT_EQ(HOST_FN(FileFormat, CreateFileFormatInstance)(console), nullptr);
  EXPECT_EQ(HOST_FN(FileFormat, CreateFileFormatInstance)(nullptr), nullptr);
  for (api_handle bad : {static_cast<api_handle>(&notAnInstance), console, Format()}) {
    ClearHostError();
    EXPECT_EQ(HOST_FN(FileFormat, OpenImageFileEx)(bad, u"/x.xisf", "", 0), 0);
    EXPECT_EQ(HOST_FN(Global, LastError)(), kHostErrorInvalidHandle);
    EXPECT_EQ(HOST_FN(FileFormat, GetImageCount)(bad), 0u);
    EXPECT_EQ(HOST_FN(FileFormat, BeginKeywordExtraction)(bad), 0);
    EXPECT_EQ(HOST_FN(FileFormat, CloseImageFile)(bad), 0);
  }
  // A released instance is stale; the format stays.
  api_handle instance = HOST_FN(FileFormat, CreateFileFormatInstance)(Format());
  HOST_FN(Global, DestroyObject)(instance);
  ClearHostError();
  EXPECT_EQ(HOST_FN(FileFormat, GetImageCount)(instance), 0u);
  EXPECT_EQ(HOST_FN(Global, LastError)(), kHostErrorInvalidHandle);
  HOST_FN(Global, DestroyObject)(Format());
  api_handle again = HOST_FN(FileFormat, CreateFileFormatInstance)(Format());
  EXPECT_NE(again, nullptr);
  HOST_FN(Global, DestroyObject)(again);
}

}  // namespace
}  // namespace hostapp
