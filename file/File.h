// The file-system layer: path utilities on "/"-separated 16-bit paths,
// existence tests, reservation of unique output files, and a File object that
// writes whole files. Paths become UTF-8 only at the operating system's calls.
#ifndef TRVX_FILE_FILE_H
#define TRVX_FILE_FILE_H

#include <cstdint>
#include <cstdio>

#include "core/Exception.h"
#include "core/IsoString.h"
#include "core/String.h"

namespace px {

// A C-library stream opened on one file; closed when destroyed. Not copyable.
// One object is used by one thread at a time.
class File {
 public:
  // A file operation failed. Message() is the message, then ": " and the
  // path when the path is not empty.
  class Error : public px::Error {
   public:
    Error(const String& message, const String& path);
    String ExceptionClass() const override { return String("File I/O Error"); }
    String Message() const override;
    const String& ErrorMessage() const { return message_; }
    const String& FilePath() const { return path_; }

   private:
    String message_;
    String path_;
  };

  // Open mode flags. WriteCreate opens with "wb" (created when missing,
  // truncated when present); ModeRead alone with "rb".
  enum OpenMode : unsigned { ModeRead = 0x1, ModeWrite = 0x2, ModeCreate = 0x4, WriteCreate = ModeWrite | ModeCreate };

  File() = default;
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Closes a stream still open, then opens `path`. Throws File::Error
  // "Invalid or empty file name", or "Unable to create file: <errno text>"
  // (modes with ModeCreate) / "Unable to open file: <errno text>".
  void Open(const String& path, unsigned mode);
  // Writes `size` bytes; nothing for size <= 0. Throws File::Error when the
  // file is not open, is read-only, or the write fails or is short.
  void Write(const void* data, int64_t size);
  // Throws File::Error as Write for the state errors, or when flushing fails.
  void Flush();
  // Nothing when not open. Throws File::Error when closing fails.
  void Close();

  bool IsOpen() const { return stream_ != nullptr; }
  // Full path of the open (or last opened) file.
  const String& FilePath() const { return path_; }

  // ---- Path utilities: pure string operations, no file-system access. ----
  // Always empty: there are no drives on this platform.
  static String ExtractDrive(const String& path);
  // Everything before the last "/"; "/" when that slash is the first
  // character; empty without a "/".
  static String ExtractDirectory(const String& path);
  // The text after the last "/" up to its last "."; empty when the path ends
  // with "/".
  static String ExtractName(const String& path);
  // From the last "." to the end, provided no "/" follows it; else empty.
  static String ExtractExtension(const String& path);
  // The text after the last "/" (the whole path without one).
  static String ExtractNameAndExtension(const String& path);
  // `text` inserted in front of the extension, or appended when there is none.
  static String AppendToName(const String& path, const String& text);

  // ---- File-system operations. ----
  // Trimmed, absolute (relative to the current directory) and cleaned: "\"
  // becomes "/", repeated "/" collapse, "." components drop, ".." removes
  // itself and its predecessor (never climbing above the root), and a
  // trailing "/" is removed except for "/". An empty (trimmed) path is
  // returned unchanged. Throws px::Error "Unable to retrieve the current
  // directory" when the working directory cannot be read.
  static String FullPath(const String& path);
  // Whether a regular file of that name exists. Throws File::Error "Invalid
  // or empty file name" for a blank path; any system failure gives false.
  static bool Exists(const String& path);
  // Whether a directory of that name exists. Throws File::Error "Invalid or
  // empty directory name" for a blank path; any system failure gives false.
  static bool DirectoryExists(const String& path);

  struct UniqueFileResult {
    bool exists = false;     // the name asked for was taken already
    bool overwrite = false;  // it was kept, to be overwritten
  };
  // Trims `path` in place and reserves it: a free name is created empty; a
  // taken name is kept when `canOverwrite`, otherwise replaced by the first
  // free AppendToName(path, "_<n>"), n = 1, 2, ..., which is created empty.
  // A directory counts as taken. Serialised process-wide by a mutex (thread
  // safe). Throws File::Error for a blank path, an uncreatable file, or
  // "Internal error: Inconsistent filesystem behavior detected in
  // File::EnsureNewUniqueFile()".
  static UniqueFileResult EnsureNewUniqueFile(String& path, bool canOverwrite);

  // Replaces the whole content of `path` with the bytes of `text`. Throws
  // File::Error from Open/Write/Flush/Close.
  static void WriteTextFile(const String& path, const IsoString& text);

 private:
  void CheckWritable(const char* operation) const;

  std::FILE* stream_ = nullptr;
  String path_;
  unsigned mode_ = 0;
};

}  // namespace px

#endif
