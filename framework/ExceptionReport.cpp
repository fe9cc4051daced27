// How an escaped exception reports itself: on the host console when the host
// interface is bound and the host has a console, otherwise on stderr.
//
// Message boxes are never shown: the module never enables GUI output, and no
// message-box service of the host is bound, so the report always goes to the
// console or to stderr.
#include <cstdio>

#include "core/Exception.h"
#include "host/APIInterface.h"
#include "host/Console.h"

namespace px {

namespace {

bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// stderr has no rich text: paragraph and line-break tags become line feeds,
// other plain tags (letters and '/' only) are dropped, anything else is kept.
String SimplifyTags(const String& text) {
  std::u16string_view s = text.View();
  String out;
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] == u'<') {
      size_t close = s.find(u'>', i + 1);
      if (close != std::u16string_view::npos) {
        std::u16string_view tag = s.substr(i, close - i + 1);
        if (tag.starts_with(u"<br") || tag.starts_with(u"<p") || tag == u"</p>") {
          out += u'\n';
          i = close + 1;
          continue;
        }
        std::u16string_view inner = s.substr(i + 1, close - i - 1);
        bool plain = !inner.empty();
        for (char16_t c : inner)
          if (!IsLetter(c) && c != u'/') plain = false;
        if (plain) {
          i = close + 1;
          continue;
        }
      }
    }
    out += s[i];
    ++i;
  }
  return out;
}

// The host's main thread is any thread that is not a host worker thread.
bool OnMainThread() { return API == nullptr || API->Thread.GetCurrentThread() == nullptr; }

bool WriteToConsole(const String& report) {
  if (API == nullptr) return false;
  try {
    Console console;  // throws when the host has no console
    console.Show();
    console.Critical(String("<end><cbr>*** ") + report);
    console.Write(String(u"\x1b[39m<end><cbr>"));
    return true;
  } catch (...) {
    // No console, or it failed half way: stderr still gets the report.
    return false;
  }
}

void WriteToStandardError(const String& report) {
  std::string text = SimplifyTags(report).ToStdUTF8();
  std::fprintf(stderr, "\n*** %s\n", text.c_str());
  std::fflush(stderr);
}

}  // namespace

void Exception::Show() const {
  String report = Caption() + ": " + FormatInfo();
  if (IsGUIOutputEnabled() && !IsConsoleOutputEnabled() && OnMainThread()) return;
  if (!WriteToConsole(report)) WriteToStandardError(report);
}

}  // namespace px
