#include "hostapp/services/ImageFile.h"

namespace hostapp {

ImageFile::ImageFile() = default;
ImageFile::~ImageFile() = default;

void ImageFile::Open(const std::string& utf8Path) {
  Close();
  reader_ = std::make_unique<XisfReader>(utf8Path);
  path_ = utf8Path;
}

bool ImageFile::Close() {
  if (!reader_) return false;
  reader_.reset();
  path_.clear();
  walking_ = false;
  nextKeyword_ = 0;
  return true;
}

uint32_t ImageFile::ImageCount() const {
  return reader_ ? uint32_t(reader_->Images().size()) : 0;
}

bool ImageFile::Describe(uint32_t index, api_image_info& info) const {
  if (!reader_ || index >= reader_->Images().size()) return false;
  const XisfImageInfo& image = reader_->Images()[index];
  info.width = image.width;
  info.height = image.height;
  info.numberOfChannels = image.channels;
  info.colorSpace = image.colorSpace == ColorSpace::RGB ? API_COLORSPACE_RGB : API_COLORSPACE_GRAY;
  info.bitsPerSample = image.bitsPerSample;
  info.floatSample = image.floatSample ? 1 : 0;
  return true;
}

bool ImageFile::BeginKeywords() {
  if (!reader_) return false;
  walking_ = true;
  nextKeyword_ = 0;
  return true;
}

const FitsKeyword* ImageFile::NextKeyword() {
  if (!reader_ || !walking_ || nextKeyword_ >= reader_->Keywords().size()) return nullptr;
  return &reader_->Keywords()[nextKeyword_++];
}

void ImageFile::EndKeywords() { walking_ = false; }

bool ImageFile::ReadImage(const api_image_sink& sink) {
  if (!reader_ || reader_->Images().empty() || sink.allocate == nullptr) return false;
  api_image_info info{};
  Describe(0, info);
  float* pixels = sink.allocate(sink.context, info.width, info.height, info.numberOfChannels,
                                info.colorSpace);
  if (pixels == nullptr) return false;
  reader_->ReadPixels(pixels);
  return true;
}

}  // namespace hostapp
