// Writes a seed corpus for xisf_reader_fuzzer into the directory given as
// the only argument: small images in every sample format, codec, location,
// storage and byte order, with a few keywords.
#include <cstdio>
#include <string>
#include <vector>

#include "hostapp/xisf/XisfWriter.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: xisf_make_corpus DIR\n");
    return 2;
  }
  using hostapp::XisfWriteOptions;
  using Where = XisfWriteOptions::Location;
  const std::vector<hostapp::FitsKeyword> keywords = {
      {"TRVISREF", "'true'", "TRV reference frame"},
      {"TRVREF0", "'/data/my\xAC'", "TRV file name"},
      {"TRVS0", "1.02", ""},
  };
  std::vector<float> pixels(4 * 3 * 3);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = float(i) / float(pixels.size());
  int count = 0;
  for (const char* format : {"UInt8", "UInt16", "UInt32", "Float32", "Float64"})
    for (const char* codec : {"", "zlib", "lz4", "lz4hc", "zstd"})
      for (Where where : {Where::Attachment, Where::InlineBase64, Where::InlineHex, Where::Embedded}) {
        XisfWriteOptions o;
        o.sampleFormat = format;
        o.codec = codec;
        o.shuffle = *codec != '\0' && count % 2 == 0;
        o.normalStorage = count % 3 == 0;
        o.bigEndian = count % 5 == 0;
        o.location = where;
        o.subblockSize = *codec != '\0' && count % 7 == 0 ? 16 : 0;
        bool rgb = count % 2 == 1;
        std::string bytes = hostapp::XisfBytes(4, 3, rgb ? 3 : 1, rgb ? hostapp::ColorSpace::RGB : hostapp::ColorSpace::Gray,
                                               pixels.data(), keywords, o);
        std::string path = std::string(argv[1]) + "/seed" + std::to_string(count++) + ".xisf";
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
          std::perror(path.c_str());
          return 1;
        }
        std::fclose(f);
      }
  std::printf("%d seeds in %s\n", count, argv[1]);
  return 0;
}
