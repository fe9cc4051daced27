#include "xml/XMLElement.h"

#include "core/Exception.h"
#include "xml/XML.h"

namespace px {

XMLElement::XMLElement(const String& name, const XMLAttributeList& attributes)
    : XMLNode(XMLNodeType::Element), name_(name), attributes_(attributes) {}

XMLElement::XMLElement(XMLElement& parent, const String& name, const XMLAttributeList& attributes)
    : XMLElement(name, attributes) {
  parent.children_.push_back(this);
  Attach(&parent);
}

XMLElement::~XMLElement() {
  for (XMLNode* n : children_) delete n;
}

void XMLElement::AddChildNode(XMLNode* node) {
  if (node == nullptr) throw Error("XMLElement::AddChildNode(): Null pointer specified.");
  if (node->IsAttached()) throw Error("XMLElement::AddChildNode(): Child node specified.");
  try {
    children_.push_back(node);
  } catch (...) {
    delete node;  // ownership was handed over with the call
    throw;
  }
  node->Attach(this);
}

void XMLElement::Serialize(std::string& out, bool autoFormat, char indentChar, unsigned indentSize,
                           unsigned level) const {
  if (autoFormat && indentSize > 0 && level > 0) Indent(out, indentChar, indentSize, level);
  out.push_back('<');
  XML::AppendUTF8(out, name_.View());
  attributes_.Serialize(out);
  if (children_.empty()) {
    out.append("/>");
    return;
  }
  out.push_back('>');
  const XMLNode* previous = this;
  for (const XMLNode* child : children_) {
    if (autoFormat && child->NLAfter(*previous)) {
      out.push_back('\n');
      child->Serialize(out, true, indentChar, indentSize, level + 1);
    } else {
      // Everything below comes out unformatted, on this line.
      child->Serialize(out, false, indentChar, 0, level + 1);
    }
    previous = child;
  }
  if (autoFormat && NLAfter(*previous)) {
    out.push_back('\n');
    Indent(out, indentChar, indentSize, level);
  }
  out.append("</");
  XML::AppendUTF8(out, name_.View());
  out.push_back('>');
}

size_t XMLElement::SizeHint() const {
  size_t n = 2 * name_.Length() + 8 + attributes_.SizeHint();
  for (const XMLNode* child : children_) n += child->SizeHint() + 16;
  return n;
}

}  // namespace px
