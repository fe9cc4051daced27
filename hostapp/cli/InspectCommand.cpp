#include <algorithm>
#include <cstdio>
#include <limits>

#include "hostapp/cli/Commands.h"
#include "hostapp/xnml/XnmlReader.h"

namespace hostapp {

namespace {

struct Stats {
  double min = std::numeric_limits<double>::infinity();
  double max = -std::numeric_limits<double>::infinity();
  double mean = 0;
};

Stats Measure(const std::vector<float>& samples) {
  Stats s;
  double sum = 0;
  for (float v : samples) {
    s.min = std::min(s.min, double(v));
    s.max = std::max(s.max, double(v));
    sum += v;
  }
  s.mean = samples.empty() ? 0 : sum / double(samples.size());
  return s;
}

std::string Format(const char* fmt, double a, double b, double c) {
  char buf[160];
  std::snprintf(buf, sizeof(buf), fmt, a, b, c);
  return buf;
}

void Print(const std::string& path, const XnmlDocument& doc, std::ostream& out) {
  out << path << ": valid XNML 1.0" << (doc.valid ? "" : " (marked invalid)") << "\n"
      << "  created    " << doc.creationTime << "\n"
      << "  reference  " << doc.referenceImage << " (" << doc.referenceWidth << " x " << doc.referenceHeight
      << ")\n"
      << "  target     " << doc.targetImage << "\n"
      << "  scale      " << doc.normalizationScale << " px, format version " << doc.version << "\n";
  for (size_t c = 0; c < doc.scale.channels.size(); ++c) {
    Stats s = Measure(doc.scale.channels[c]);
    Stats z = Measure(doc.zeroOffset.channels[c]);
    out << "  channel " << c << ": " << doc.scale.width << " x " << doc.scale.height
        << (doc.zeroOffset.compressed[c] ? ", LZ4" : ", raw") << "\n"
        << Format("    scale        min %.9g  mean %.9g  max %.9g\n", s.min, s.mean, s.max)
        << Format("    zero offset  min %.9g  mean %.9g  max %.9g\n", z.min, z.mean, z.max);
    if (c < doc.relativeScaleFactors.size()) {
      char buf[64];
      std::snprintf(buf, sizeof(buf), "%.16g", doc.relativeScaleFactors[c]);
      out << "    relative scale factor " << buf << "\n";
    }
  }
}

}  // namespace

int RunInspect(const Arguments& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "usage: trvxnml inspect FILE.xnml...\n";
    return kExitUsage;
  }
  int status = kExitOk;
  for (const std::string& path : args) {
    try {
      Print(path, ReadXnmlFile(path), out);
    } catch (const XnmlError& e) {
      err << path << ": damaged XNML file: " << e.what() << "\n";
      status = kExitFailed;
    }
  }
  return status;
}

}  // namespace hostapp
