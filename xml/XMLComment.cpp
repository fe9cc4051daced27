#include "xml/XMLComment.h"

#include "xml/XML.h"

namespace px {

void XMLComment::Serialize(std::string& out, bool autoFormat, char indentChar, unsigned indentSize,
                           unsigned level) const {
  if (autoFormat && indentSize > 0) Indent(out, indentChar, indentSize, level);
  String text = text_.ReplacedAll(u"--", u"");
  out.append("<!--");
  XML::AppendUTF8(out, text.View());
  out.append(text.EndsWith(u'-') ? "->" : "-->");
}

}  // namespace px
