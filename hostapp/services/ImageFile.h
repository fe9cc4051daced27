// One file instance of the XISF format as "FileFormat/CreateFileFormatInstance"
// hands it out: opens a file, describes its images, walks the first image's
// FITS keywords and reads its pixels through an image sink.
// Not thread-safe: one instance is used by one thread at a time.
#ifndef TRVX_HOSTAPP_SERVICES_IMAGEFILE_H
#define TRVX_HOSTAPP_SERVICES_IMAGEFILE_H

#include <cstdint>
#include <memory>
#include <string>

#include "host/HostAPI.h"
#include "hostapp/xisf/XisfReader.h"

namespace hostapp {

class ImageFile {
 public:
  ImageFile();
  ~ImageFile();

  // Opens `utf8Path`, closing any file open before. Throws XisfError (the
  // cause, without the file name) when the file cannot be read as XISF.
  void Open(const std::string& utf8Path);
  // False when no file is open.
  bool Close();
  bool IsOpen() const { return reader_ != nullptr; }
  const std::string& Path() const { return path_; }

  // 0 when no file is open.
  uint32_t ImageCount() const;
  // False when no file is open or index is out of range.
  bool Describe(uint32_t index, api_image_info& info) const;

  // Keyword walk over the first image's FITS records, in header order.
  // BeginKeywords is false when no file is open; NextKeyword is false outside
  // a walk or after the last record.
  bool BeginKeywords();
  const FitsKeyword* NextKeyword();
  void EndKeywords();

  // Reads the first image as planar floats into storage from `sink`.
  // False when no file is open, the file has no image or the sink refuses;
  // throws XisfError when the pixels cannot be decoded.
  bool ReadImage(const api_image_sink& sink);

 private:
  std::unique_ptr<XisfReader> reader_;
  std::string path_;
  bool walking_ = false;
  size_t nextKeyword_ = 0;
};

}  // namespace hostapp

#endif
