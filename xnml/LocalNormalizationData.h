// One XNML local normalization data set: the reference and target image
// paths, the reference geometry and normalization scale, per-channel scale
// and zero offset matrices, optional bias and global normalization values,
// relative scale factors, and its serialisation as an XNML 1.0 document.
#ifndef TRVX_XNML_LOCALNORMALIZATIONDATA_H
#define TRVX_XNML_LOCALNORMALIZATIONDATA_H

#include <memory>

#include "core/GenericImage.h"
#include "core/GenericVector.h"
#include "core/String.h"
#include "xml/XMLDocument.h"
#include "xml/XMLElement.h"

namespace px {

class LZ4Compression;

// Holds everything by value. Images and vectors share storage with the
// caller's copies (copy on write): writes through the caller's objects made
// after a setter returns duplicate first and never reach the data set, but a
// raw sample pointer obtained before the setter must not be written through
// afterwards. Used by one thread at a time; not shared.
class LocalNormalizationData {
 public:
  LocalNormalizationData() = default;
  virtual ~LocalNormalizationData();

  // Stored unchanged, without checks.
  void SetReferenceFilePath(const String& path) { referenceFilePath_ = path; }
  void SetTargetFilePath(const String& path) { targetFilePath_ = path; }
  void SetNormalizationScale(int scale) { normalizationScale_ = scale; }
  void SetReferenceDimensions(int width, int height) {
    referenceWidth_ = width;
    referenceHeight_ = height;
  }

  // Stores all channels of both images, then the bias when `bias` is not
  // empty (an empty one leaves the stored bias as it was). Throws Error
  // "LocalNormalizationData::SetLocalNormalizationParameters(): " followed by
  // "Incompatible matrix dimensions." (width or height differ), "Incompatible
  // number of normalization matrices." (channel counts differ), both before
  // anything is stored, or "Incompatible bias vector length." (bias length is
  // not the channel count; the matrices are stored already).
  void SetLocalNormalizationParameters(const Image& scale, const Image& zeroOffset, const DVector& bias);

  // Throws Error "LocalNormalizationData::SetRelativeScaleFactors(): " and
  // "No zero offset coefficient matrix has been defined." (no matrices yet)
  // or "Incompatible vector lengths." (length is not the channel count).
  void SetRelativeScaleFactors(const DVector& factors);

  // Stored without checks; written only when all three are non-empty.
  void SetGlobalNormalizationParameters(const DVector& referenceLocation, const DVector& targetLocation,
                                        const DVector& scale) {
    globalReferenceLocation_ = referenceLocation;
    globalTargetLocation_ = targetLocation;
    globalScale_ = scale;
  }
  void EnableCompression(bool enable = true) { compressionEnabled_ = enable; }
  void SetFormatVersion(int version) { formatVersion_ = version; }
  // Marks the data set as not usable: its document carries valid="false" and
  // no matrices.
  void MarkInvalid(bool invalid = true) { invalid_ = invalid; }

  const String& ReferenceFilePath() const { return referenceFilePath_; }
  const String& TargetFilePath() const { return targetFilePath_; }
  int NormalizationScale() const { return normalizationScale_; }
  int ReferenceWidth() const { return referenceWidth_; }
  int ReferenceHeight() const { return referenceHeight_; }
  const Image& ScaleMatrices() const { return scaleMatrices_; }
  const Image& ZeroOffsetMatrices() const { return zeroOffsetMatrices_; }
  const DVector& Bias() const { return bias_; }
  const DVector& GlobalReferenceLocation() const { return globalReferenceLocation_; }
  const DVector& GlobalTargetLocation() const { return globalTargetLocation_; }
  const DVector& GlobalScale() const { return globalScale_; }
  const DVector& RelativeScaleFactors() const { return relativeScaleFactors_; }
  bool IsCompressionEnabled() const { return compressionEnabled_; }
  int FormatVersion() const { return formatVersion_; }
  bool IsMarkedInvalid() const { return invalid_; }

  // Whether Serialize() accepts the data set: scale >= 16 and the reference
  // at least that wide and high; unless marked invalid, also non-empty
  // matrices of equal geometry no larger than the reference and a bias that
  // is empty or one value per channel.
  bool IsValid() const;

  // The XNML document of this data set, owned by the caller; its creation
  // time is the current UTC time. Throws Error "LocalNormalizationData::
  // Serialize(): Uninitialized or invalid local normalization data." when
  // !IsValid(); compression errors pass through. Nothing leaks on error.
  std::unique_ptr<XMLDocument> Serialize() const;

  // Sets the matrix attributes on `element` and appends one ChannelData per
  // channel of `matrices`: LZ4 subblocks of the byte-shuffled samples when
  // compression is enabled and pays off, else the Base64 of the samples.
  void SerializeNormalizationMatrices(XMLElement& element, const Image& matrices) const;

  // Serialize(), then write the document indented by three spaces to `path`
  // (created or replaced). Only the finished text is written, so a failure
  // while building creates no file. Throws File::Error on I/O failures.
  void SerializeToFile(const String& path) const;

 private:
  void SerializeMatrices(XMLElement& element, const Image& matrices, const LZ4Compression& codec) const;

  String referenceFilePath_;
  String targetFilePath_;
  int normalizationScale_ = -1;
  int referenceWidth_ = -1;
  int referenceHeight_ = -1;
  Image scaleMatrices_;
  Image zeroOffsetMatrices_;
  DVector bias_;
  DVector globalReferenceLocation_;
  DVector globalTargetLocation_;
  DVector globalScale_;
  DVector relativeScaleFactors_;
  bool compressionEnabled_ = true;
  int formatVersion_ = 0;
  bool invalid_ = false;
};

}  // namespace px

#endif
