// Turns the offset surface of one xnml_*.xisf image and the values of its
// TRV header into a filled local normalisation data set: per-channel scale
// and zero offset matrices, relative scale factors, file paths and geometry.
#ifndef TRVX_ENGINE_NORMALIZATIONMATRICES_H
#define TRVX_ENGINE_NORMALIZATIONMATRICES_H

#include <vector>

#include "core/GenericImage.h"
#include "core/IsoString.h"

namespace px {

class FileFormatInstance;
class LocalNormalizationData;

// The header values a conversion needs, as the keyword reader returns them.
struct TargetHeaderValues {
  bool isReference = false;
  IsoString referenceFileName;  // widened byte by byte (ISO 8859-1)
  IsoString targetFileName;
  int width = 0;   // of the reference image
  int height = 0;
  int resize = 0;  // the normalization scale
  std::vector<double> bias;   // per channel; unused for the reference frame
  std::vector<double> scale;  // per channel; its length is the channel count
};

// Whether a non-reference frame lacks a bias value for some scale value. Such
// a target cannot be converted; the driver rejects it before reading pixels.
bool HasMissingBias(const TargetHeaderValues& header);

// Fills `data` (a new data set) from `offset`, which is transformed in place
// into the zero offset matrices: for the reference frame the scale matrices
// are 1 and the offsets stay as read; otherwise, for each channel k below the
// scale count, offset = bias[k] - offset and scale = 1/scale[k] (as float).
// Channels beyond the scale count or beyond the image are never touched.
// Relative scale factors are 1/scale[k] for every frame. Paths are stored
// absolute and cleaned.
// Throws Error from the data set when the image has alpha channels ("...
// Incompatible number of normalization matrices."), when the scale count is
// not the channel count ("... Incompatible vector lengths.") or when the
// image is empty ("... No zero offset coefficient matrix has been
// defined."); throws Error "**ERROR** TRVXnml failed to read TRVPLUS<k> from
// FITSHeader." (k: the first channel without bias) when
// HasMissingBias(header), before touching anything.
void BuildNormalizationData(Image& offset, const TargetHeaderValues& header, LocalNormalizationData& data);

// Reads the first image of the open `file` as 32-bit floats (a failed read
// leaves it empty) and calls BuildNormalizationData with it.
void BuildNormalizationData(FileFormatInstance& file, const TargetHeaderValues& header,
                            LocalNormalizationData& data);

}  // namespace px

#endif
