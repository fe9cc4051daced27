// An XML element: name, attributes and owned child nodes.
#ifndef TRVX_XML_XMLELEMENT_H
#define TRVX_XML_XMLELEMENT_H

#include <vector>

#include "core/String.h"
#include "xml/XMLAttribute.h"
#include "xml/XMLNode.h"

namespace px {

// Owns its children and deletes them when destroyed. Single-threaded.
class XMLElement : public XMLNode {
 public:
  // A top-level element, not attached to anything yet.
  explicit XMLElement(const String& name, const XMLAttributeList& attributes = XMLAttributeList());
  // A child element appended at the end of `parent`'s children; `parent`
  // owns it from now on. REQUIRES: created with new.
  XMLElement(XMLElement& parent, const String& name, const XMLAttributeList& attributes = XMLAttributeList());
  ~XMLElement() override;

  const String& Name() const { return name_; }
  const XMLAttributeList& Attributes() const { return attributes_; }
  // Sets one attribute by the rule of XMLAttributeList::SetAttribute().
  void SetAttribute(const String& name, const String& value) { attributes_.SetAttribute(name, value); }

  // Appends `node` at the end of the children and takes ownership (the node
  // is deleted if appending runs out of memory). Throws Error
  // "XMLElement::AddChildNode(): Null pointer specified." or "...: Child
  // node specified." (already attached; ownership is not taken).
  void AddChildNode(XMLNode* node);

  size_t ChildCount() const { return children_.size(); }
  const XMLNode& Child(size_t i) const { return *children_[i]; }
  bool HasChildren() const { return !children_.empty(); }

  void Serialize(std::string& out, bool autoFormat, char indentChar, unsigned indentSize,
                 unsigned level) const override;
  size_t SizeHint() const override;

 private:
  String name_;
  XMLAttributeList attributes_;
  std::vector<XMLNode*> children_;
};

}  // namespace px

#endif
