#include "hostapp/console/HostConsole.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "hostapp/services/TextConversion.h"

namespace hostapp {

HostConsole& HostConsole::Instance() {
  // Never destroyed: worker threads and exit handlers may still write.
  static HostConsole* console = new HostConsole;
  return *console;
}

HostConsole::HostConsole() : renderer_(ColorWanted()), sink_(StdoutSink()) {}

HostConsole::~HostConsole() { CloseRawLog(); }

bool HostConsole::ColorWanted() {
  const char* noColor = std::getenv("NO_COLOR");
  if (noColor != nullptr && noColor[0] != '\0') return false;
  return isatty(fileno(stdout)) != 0;
}

HostConsole::TerminalSink HostConsole::StdoutSink() {
  return [](std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
  };
}

void HostConsole::Write(std::u16string_view text, bool newline, bool workerThread) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (recording_) recorded_.push_back(ConsoleWrite{std::u16string(text), newline, workerThread});
  if (rawLog_ != nullptr) {
    std::string raw = Utf16ToUtf8(text);
    if (newline) raw += '\n';
    std::fwrite(raw.data(), 1, raw.size(), rawLog_);
    std::fflush(rawLog_);
  }
  // Render even when suppressed, so line-start state stays true to the text.
  std::string shown = renderer_.Render(text, newline);
  if (sink_) sink_(shown);
}

void HostConsole::Show() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (recording_) ++showCount_;
}

void HostConsole::SetKeepColor(bool keep) {
  std::lock_guard<std::mutex> lock(mutex_);
  renderer_.SetKeepColor(keep);
}

void HostConsole::SetProgressPrefix(std::string utf8Prefix) {
  std::lock_guard<std::mutex> lock(mutex_);
  renderer_.SetProgressPrefix(std::move(utf8Prefix));
}

HostConsole::TerminalSink HostConsole::SetTerminalSink(TerminalSink sink) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::swap(sink, sink_);
  return sink;
}

void HostConsole::OpenRawLog(const std::string& utf8Path) {
  std::FILE* f = std::fopen(utf8Path.c_str(), "wb");
  if (f == nullptr)
    throw std::runtime_error("cannot create console log " + utf8Path + ": " + std::strerror(errno));
  std::lock_guard<std::mutex> lock(mutex_);
  if (rawLog_ != nullptr) std::fclose(rawLog_);
  rawLog_ = f;
}

void HostConsole::CloseRawLog() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (rawLog_ != nullptr) std::fclose(rawLog_);
  rawLog_ = nullptr;
}

void HostConsole::StartRecording() {
  std::lock_guard<std::mutex> lock(mutex_);
  recorded_.clear();
  showCount_ = 0;
  recording_ = true;
}

void HostConsole::StopRecording() {
  std::lock_guard<std::mutex> lock(mutex_);
  recording_ = false;
}

bool HostConsole::IsRecording() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return recording_;
}

std::vector<ConsoleWrite> HostConsole::Recorded() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return recorded_;
}

int HostConsole::RecordedShowCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return showCount_;
}

}  // namespace hostapp
