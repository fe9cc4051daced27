// The demo set written by "trvxnml sample DIR": raw frames and the TRV
// normalisation script's xnml_*.xisf outputs that name them.
#ifndef TRVX_HOSTAPP_SAMPLE_SAMPLESET_H
#define TRVX_HOSTAPP_SAMPLE_SAMPLESET_H

#include <string>
#include <vector>

namespace hostapp {

// Creates `dir` (and dir/raw) if needed and writes, replacing earlier files:
//   raw/ref_frame.xisf, raw/frame02.xisf (grayscale), raw/frame03_rgb.xisf
//     (RGB): 1024x768 UInt16 star fields;
//   xnml_ref_frame.xisf (reference), xnml_frame02.xisf (grayscale target),
//   xnml_frame03_rgb.xisf (RGB target): 64x48 Float32 offset surfaces with
//     the TRV keywords, naming the raw frames by absolute path.
// Returns the absolute paths written, raw frames first. The same directory
// always gets the same bytes. Throws std::exception (XisfError,
// filesystem_error) on failure.
std::vector<std::string> WriteSampleSet(const std::string& dir);

}  // namespace hostapp

#endif
