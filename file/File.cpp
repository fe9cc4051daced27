#include "file/File.h"

#include <cerrno>
#include <cstring>

namespace px {

namespace {

// The system's error text for `err`, empty when there is no error number.
String SystemErrorText(int err) {
  if (err == 0) return String();
  return String::UTF8ToUTF16(std::strerror(err));
}

// "<what>: <system text>", or "<what>" alone without an error number.
String WithSystemError(const char* what, int err) {
  String text(what);
  if (err != 0) text += ": " + SystemErrorText(err);
  return text;
}

}  // namespace

File::Error::Error(const String& message, const String& path)
    : px::Error(message), message_(message), path_(path) {}

String File::Error::Message() const {
  if (path_.IsEmpty()) return message_;
  return message_ + ": " + path_;
}

File::~File() {
  if (stream_ != nullptr) std::fclose(stream_);
}

void File::Open(const String& path, unsigned mode) {
  Close();
  if (path.IsEmpty()) throw Error("Invalid or empty file name", String());
  const char* cmode = "rb";
  if (mode & ModeCreate)
    cmode = (mode & ModeRead) ? "w+b" : "wb";
  else if (mode & ModeWrite)
    cmode = "r+b";
  String full = FullPath(path);
  errno = 0;
  std::FILE* f = std::fopen(path.ToStdUTF8().c_str(), cmode);
  if (f == nullptr) {
    int err = errno;
    throw Error(WithSystemError((mode & ModeCreate) ? "Unable to create file" : "Unable to open file", err), full);
  }
  stream_ = f;
  path_ = full;
  mode_ = mode;
}

void File::CheckWritable(const char* operation) const {
  if (stream_ == nullptr) throw Error(String("File::") + operation + "(): File must be open.", path_);
  if (!(mode_ & (ModeWrite | ModeCreate)))
    throw Error(String("File::") + operation + "(): File is open in read-only mode", path_);
}

void File::Write(const void* data, int64_t size) {
  CheckWritable("Write");
  if (size <= 0) return;
  errno = 0;
  size_t written = std::fwrite(data, 1, size_t(size), stream_);
  if (std::ferror(stream_)) {
    int err = errno;
    throw Error(WithSystemError("File write error", err), path_);
  }
  if (written != size_t(size)) throw Error("Incomplete file write operation", path_);
}

void File::Flush() {
  CheckWritable("Flush");
  errno = 0;
  if (std::fflush(stream_) != 0) {
    int err = errno;
    throw Error(err != 0 ? "File flush failed: " + SystemErrorText(err) : String("File flush operation failed"),
                path_);
  }
}

void File::Close() {
  if (stream_ == nullptr) return;
  errno = 0;
  int rc = std::fclose(stream_);
  int err = errno;
  // fclose releases the stream even when it fails; a second fclose would be
  // undefined, so the handle is dropped either way.
  stream_ = nullptr;
  if (rc != 0) throw Error(WithSystemError("Unable to close file", err), path_);
}

void File::WriteTextFile(const String& path, const IsoString& text) {
  File file;
  file.Open(path, WriteCreate);
  if (!text.IsEmpty()) file.Write(text.c_str(), int64_t(text.Length()));
  file.Flush();
  file.Close();
}

}  // namespace px
