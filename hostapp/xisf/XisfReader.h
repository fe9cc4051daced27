// Reads one monolithic XISF 1.0 file: the description of every Image
// element, the FITS keywords and the pixels of the first one.
// Every size the header declares is checked against the file before anything
// is allocated. Read-only after construction; ReadPixels may run on several
// threads at once.
#ifndef TRVX_HOSTAPP_XISF_XISFREADER_H
#define TRVX_HOSTAPP_XISF_XISFREADER_H

#include <memory>
#include <string>
#include <vector>

#include "hostapp/xisf/XisfTypes.h"

namespace hostapp {

namespace xisf {
class ByteSource;
struct ImageLayout;
}  // namespace xisf

class XisfReader {
 public:
  // Opens the file and checks its header and the first image's data block
  // location and sizes. Throws XisfError on any structural problem.
  explicit XisfReader(const std::string& utf8Path);
  // The same over bytes held in memory (tests, fuzzing).
  static XisfReader FromBytes(std::string bytes);

  XisfReader(XisfReader&&) noexcept;
  XisfReader& operator=(XisfReader&&) noexcept;
  ~XisfReader();

  // One per Image element, header order; never empty.
  const std::vector<XisfImageInfo>& Images() const { return images_; }
  // FITSKeyword elements of the first image, header order.
  const std::vector<FitsKeyword>& Keywords() const { return keywords_; }

  // Pixels of the first image as float, planar (plane k at k*w*h, row-major),
  // channels = nominal + alpha. Integer formats scale to [0,1]
  // (v / (2^bits - 1)); floats are copied.
  // REQUIRES: `out` holds w*h*channels floats. Throws XisfError when the
  // block cannot be read or decoded; `out` may then be partly written.
  void ReadPixels(float* out) const;

 private:
  explicit XisfReader(std::unique_ptr<xisf::ByteSource> source);
  void Load();

  std::unique_ptr<xisf::ByteSource> source_;
  std::vector<XisfImageInfo> images_;
  std::vector<FitsKeyword> keywords_;
  std::unique_ptr<xisf::ImageLayout> first_;
  std::vector<uint8_t> headerBlock_;  // inline or embedded data of the first image
};

}  // namespace hostapp

#endif
