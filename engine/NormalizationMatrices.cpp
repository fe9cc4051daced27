#include "engine/NormalizationMatrices.h"

#include <algorithm>
#include <string>

#include "core/Exception.h"
#include "core/GenericVector.h"
#include "file/File.h"
#include "host/FileFormatInstance.h"
#include "xnml/LocalNormalizationData.h"

namespace px {

bool HasMissingBias(const TargetHeaderValues& header) {
  return !header.isReference && header.bias.size() < header.scale.size();
}

namespace {

DVector RelativeScaleFactors(const std::vector<double>& scale) {
  DVector factors(scale.size());
  for (size_t j = 0; j < scale.size(); ++j) factors.At(j) = 1.0 / scale[j];  // no zero test: gives inf
  return factors;
}

// offset = bias - offset and scale = 1/scale per channel, for the channels
// that have a scale value and exist in both images.
void ApplyScaleAndBias(Image& offset, Image& scaleImage, const TargetHeaderValues& header) {
  const int W = offset.Width(), H = offset.Height();
  if (W <= 0 || H <= 0) return;
  const int channels = int(std::min<size_t>(
      header.scale.size(), size_t(std::min(offset.NumberOfChannels(), scaleImage.NumberOfChannels()))));
  for (int k = 0; k < channels; ++k) {
    const float s = float(1.0 / header.scale[size_t(k)]);
    const double b = header.bias[size_t(k)];
    float* p = offset.PixelData(k);
    float* q = scaleImage.PixelData(k);
    for (size_t i = 0, n = offset.NumberOfPixels(); i < n; ++i) {
      p[i] = float(b - double(p[i]));
      q[i] = s;
    }
  }
}

}  // namespace

void BuildNormalizationData(Image& offset, const TargetHeaderValues& header, LocalNormalizationData& data) {
  if (HasMissingBias(header))
    throw Error(String(std::string_view("**ERROR** TRVXnml failed to read TRVPLUS" +
                                        std::to_string(header.bias.size()) + " from FITSHeader.")));

  DVector factors = RelativeScaleFactors(header.scale);

  Image scaleImage(offset.Width(), offset.Height(), offset.GetColorSpace());
  if (header.isReference)
    scaleImage.Fill(1.0f);
  else
    ApplyScaleAndBias(offset, scaleImage, header);

  data.SetReferenceFilePath(File::FullPath(String(header.referenceFileName)));
  data.SetTargetFilePath(File::FullPath(String(header.targetFileName)));
  data.SetNormalizationScale(header.resize);
  data.SetReferenceDimensions(header.width, header.height);
  data.SetLocalNormalizationParameters(scaleImage, offset, DVector());
  data.SetRelativeScaleFactors(factors);
}

void BuildNormalizationData(FileFormatInstance& file, const TargetHeaderValues& header,
                            LocalNormalizationData& data) {
  Image offset;
  file.ReadImage(offset);
  BuildNormalizationData(offset, header, data);
}

}  // namespace px
