#include "hostapp/cli/ProgressSink.h"

namespace hostapp {

void ProgressSink::Write(std::string_view text) {
  static constexpr std::string_view kMarker = "Creating xnml for ";
  std::string shown;
  shown.reserve(text.size() + 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (atLineStart_ && text.substr(i, kMarker.size()) == kMarker)
      shown += "[" + std::to_string(++done_) + "/" + std::to_string(total_) + "] ";
    shown += text[i];
    atLineStart_ = text[i] == '\n';
  }
  out_ << shown;
  out_.flush();
}

}  // namespace hostapp
