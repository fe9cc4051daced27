// Provisional report of exceptions: stderr only. Replaced by the full console
// report of the standard error handler.
#include <cstdio>

#include "core/Exception.h"

namespace px {

void Exception::Show() const {
  String report = Caption() + ": " + FormatInfo();
  std::fprintf(stderr, "\n*** %s\n", report.ToStdUTF8().c_str());
  std::fflush(stderr);
}

}  // namespace px
