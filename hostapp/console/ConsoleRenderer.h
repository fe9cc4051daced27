// Turns the module's console text (UTF-16 with the console's markup tags and
// ESC colour sequences) into UTF-8 text for a terminal.
//
// Markup: "<end>" is dropped (a terminal is always at the end); "<cbr>" breaks
// the line unless output is at the start of one; text between "<raw>" and
// "</raw>" is printed literally, tags included; a stray "</raw>" is dropped;
// any other tag is printed as written. The raw state carries over from one
// write to the next, as in a stream. ESC sequences are kept or stripped.
// Lines beginning with "Creating xnml for " get the progress prefix.
// Not thread-safe: the owner serialises calls.
#ifndef TRVX_HOSTAPP_CONSOLE_CONSOLERENDERER_H
#define TRVX_HOSTAPP_CONSOLE_CONSOLERENDERER_H

#include <string>
#include <string_view>

namespace hostapp {

class ConsoleRenderer {
 public:
  explicit ConsoleRenderer(bool keepColor = false);

  // ESC sequences are printed when true and removed when false.
  void SetKeepColor(bool keep) { keepColor_ = keep; }
  bool KeepColor() const { return keepColor_; }

  // UTF-8 text put before each line that begins with "Creating xnml for ";
  // empty for none.
  void SetProgressPrefix(std::string prefix);

  // The terminal text of one console write; `newline` ends it with a line
  // break.
  std::string Render(std::u16string_view text, bool newline);

  // True when the last rendered character was a line break (or nothing has
  // been rendered yet).
  bool AtLineStart() const { return atLineStart_; }

 private:
  size_t SkipEscape(std::u16string_view text, size_t i, std::u16string& out) const;

  bool keepColor_;
  bool atLineStart_ = true;
  bool inRaw_ = false;
  std::u16string prefix_;
};

}  // namespace hostapp

#endif
