// Path utilities of File: pure string operations, plus FullPath, which reads
// the current directory for relative paths.
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "file/File.h"

namespace px {

String File::ExtractDrive(const String&) { return String(); }

String File::ExtractDirectory(const String& path) {
  size_t slash = path.FindLast(u'/');
  if (slash == String::notFound) return String();
  if (slash == 0) return String(u"/");
  return path.Left(slash);
}

String File::ExtractNameAndExtension(const String& path) {
  size_t slash = path.FindLast(u'/');
  if (slash == String::notFound) return path;
  return path.Substring(slash + 1);
}

String File::ExtractName(const String& path) {
  String nameExt = ExtractNameAndExtension(path);
  size_t dot = nameExt.FindLast(u'.');
  if (dot == String::notFound) return nameExt;
  return nameExt.Left(dot);
}

String File::ExtractExtension(const String& path) {
  size_t dot = path.FindLast(u'.');
  if (dot == String::notFound) return String();
  size_t slash = path.FindLast(u'/');
  if (slash != String::notFound && slash > dot) return String();
  return path.Substring(dot);
}

String File::AppendToName(const String& path, const String& text) {
  String ext = ExtractExtension(path);
  if (ext.IsEmpty()) return path + text;
  return path.Left(path.Length() - ext.Length()) + text + ext;
}

namespace {

String CurrentDirectory() {
  std::vector<char> buffer(4096);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size()) != nullptr) return String::UTF8ToUTF16(buffer.data());
    if (errno != ERANGE || buffer.size() > (1u << 20)) throw Error("Unable to retrieve the current directory");
    buffer.resize(buffer.size() * 2);
  }
}

// Collapses separators and resolves "." and ".." of an absolute path. ".."
// at the root stays at the root.
String CleanAbsolutePath(const String& path) {
  std::vector<std::u16string_view> parts;
  std::u16string s(path.View());
  for (char16_t& c : s)
    if (c == u'\\') c = u'/';
  std::u16string_view v(s);
  size_t i = 0;
  while (i < v.size()) {
    size_t j = v.find(u'/', i);
    if (j == std::u16string_view::npos) j = v.size();
    std::u16string_view part = v.substr(i, j - i);
    if (part.empty() || part == u".") {
      // skip
    } else if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else {
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::u16string out;
  for (auto part : parts) {
    out += u'/';
    out += part;
  }
  if (out.empty()) out = u"/";
  return String(std::move(out));
}

}  // namespace

String File::FullPath(const String& path) {
  String p = path.Trimmed();
  if (p.IsEmpty()) return p;
  if (p[0] != u'/') p = CurrentDirectory() + u"/" + p;
  return CleanAbsolutePath(p);
}

}  // namespace px
