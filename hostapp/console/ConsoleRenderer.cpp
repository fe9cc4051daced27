#include "hostapp/console/ConsoleRenderer.h"

#include "hostapp/services/TextConversion.h"

namespace hostapp {

namespace {

constexpr char16_t kEsc = 0x1B;
constexpr std::u16string_view kEnd = u"<end>";
constexpr std::u16string_view kCbr = u"<cbr>";
constexpr std::u16string_view kRaw = u"<raw>";
constexpr std::u16string_view kRawEnd = u"</raw>";
constexpr std::u16string_view kProgressLine = u"Creating xnml for ";

bool At(std::u16string_view text, size_t i, std::u16string_view what) {
  return text.substr(i, what.size()) == what;
}

}  // namespace

ConsoleRenderer::ConsoleRenderer(bool keepColor) : keepColor_(keepColor) {}

void ConsoleRenderer::SetProgressPrefix(std::string prefix) { prefix_ = Utf8ToUtf16(prefix); }

// Copies (or drops) the ESC sequence at text[i]; returns the index after it.
// A CSI sequence is ESC '[' parameters and one final byte in 0x40..0x7E; any
// other ESC takes the next character with it.
size_t ConsoleRenderer::SkipEscape(std::u16string_view text, size_t i, std::u16string& out) const {
  size_t end = i + 1;
  if (end < text.size() && text[end] == u'[') {
    ++end;
    while (end < text.size() && !(text[end] >= 0x40 && text[end] <= 0x7E)) ++end;
    if (end < text.size()) ++end;
  } else if (end < text.size()) {
    ++end;
  }
  if (keepColor_) out.append(text.substr(i, end - i));
  return end;
}

std::string ConsoleRenderer::Render(std::u16string_view text, bool newline) {
  std::u16string out;
  out.reserve(text.size() + 16);
  size_t i = 0;
  while (i < text.size()) {
    char16_t c = text[i];
    if (c == kEsc) {
      i = SkipEscape(text, i, out);
      continue;
    }
    if (c == u'<') {
      if (inRaw_) {
        if (At(text, i, kRawEnd)) {
          inRaw_ = false;
          i += kRawEnd.size();
          continue;
        }
      } else if (At(text, i, kEnd)) {
        i += kEnd.size();
        continue;
      } else if (At(text, i, kCbr)) {
        if (!atLineStart_) {
          out += u'\n';
          atLineStart_ = true;
        }
        i += kCbr.size();
        continue;
      } else if (At(text, i, kRaw)) {
        inRaw_ = true;
        i += kRaw.size();
        continue;
      } else if (At(text, i, kRawEnd)) {
        i += kRawEnd.size();
        continue;
      }
    }
    if (atLineStart_ && c != u'\n' && !prefix_.empty() && At(text, i, kProgressLine)) out += prefix_;
    out += c;
    atLineStart_ = c == u'\n';
    ++i;
  }
  if (newline) {
    out += u'\n';
    atLineStart_ = true;
  }
  return Utf16ToUtf8(out);
}

}  // namespace hostapp
