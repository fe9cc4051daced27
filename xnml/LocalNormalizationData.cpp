#include "xnml/LocalNormalizationData.h"

#include "core/Exception.h"

namespace px {

LocalNormalizationData::~LocalNormalizationData() = default;

void LocalNormalizationData::SetLocalNormalizationParameters(const Image& scale, const Image& zeroOffset,
                                                             const DVector& bias) {
  auto fail = [](const char* what) {
    throw Error(String("LocalNormalizationData::SetLocalNormalizationParameters(): ") + what);
  };
  if (scale.Width() != zeroOffset.Width() || scale.Height() != zeroOffset.Height())
    fail("Incompatible matrix dimensions.");
  if (scale.NumberOfChannels() != zeroOffset.NumberOfChannels())
    fail("Incompatible number of normalization matrices.");
  // Copies share pixel storage until either side writes.
  scaleMatrices_ = scale;
  zeroOffsetMatrices_ = zeroOffset;
  if (bias.IsEmpty()) return;
  if (bias.Length() != size_t(scale.NumberOfChannels())) fail("Incompatible bias vector length.");
  bias_ = bias;
}

void LocalNormalizationData::SetRelativeScaleFactors(const DVector& factors) {
  auto fail = [](const char* what) {
    throw Error(String("LocalNormalizationData::SetRelativeScaleFactors(): ") + what);
  };
  if (zeroOffsetMatrices_.Width() < 1 || zeroOffsetMatrices_.Height() < 1 ||
      zeroOffsetMatrices_.NumberOfChannels() < 1)
    fail("No zero offset coefficient matrix has been defined.");
  if (factors.Length() != size_t(zeroOffsetMatrices_.NumberOfChannels())) fail("Incompatible vector lengths.");
  relativeScaleFactors_ = factors;
}

bool LocalNormalizationData::IsValid() const {
  if (normalizationScale_ < 16 || referenceWidth_ < normalizationScale_ || referenceHeight_ < normalizationScale_)
    return false;
  if (invalid_) return true;
  const Image& s = scaleMatrices_;
  const Image& z = zeroOffsetMatrices_;
  if (s.Width() < 1 || s.Height() < 1 || s.NumberOfChannels() < 1) return false;
  if (z.Width() < 1 || z.Height() < 1 || z.NumberOfChannels() < 1) return false;
  if (s.Width() != z.Width() || s.Height() != z.Height() || s.NumberOfChannels() != z.NumberOfChannels())
    return false;
  if (!bias_.IsEmpty() && bias_.Length() != size_t(s.NumberOfChannels())) return false;
  return s.Width() <= referenceWidth_ && s.Height() <= referenceHeight_;
}

}  // namespace px
