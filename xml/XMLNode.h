// Base of the nodes of the write-only XML document model: elements, texts
// and comments, each of which appends its own text to the document's 8-bit
// output buffer.
#ifndef TRVX_XML_XMLNODE_H
#define TRVX_XML_XMLNODE_H

#include <string>

namespace px {

class XMLElement;

enum class XMLNodeType { Element = 1, Text = 2, Comment = 16 };

// Nodes are created on the heap and handed over to one parent element or
// document, which owns and deletes them. Once attached, a node cannot be
// attached again. Not copyable. Single-threaded.
class XMLNode {
 public:
  explicit XMLNode(XMLNodeType type) : type_(type) {}
  virtual ~XMLNode();
  XMLNode(const XMLNode&) = delete;
  XMLNode& operator=(const XMLNode&) = delete;

  XMLNodeType NodeType() const { return type_; }
  bool IsElement() const { return type_ == XMLNodeType::Element; }
  bool IsText() const { return type_ == XMLNodeType::Text; }
  bool IsComment() const { return type_ == XMLNodeType::Comment; }
  // The element this node belongs to; null for a top-level node.
  XMLElement* ParentElement() const { return parent_; }
  // Whether the node has been given to an element or a document.
  bool IsAttached() const { return attached_; }

  // Appends this node as UTF-8 to `out`. With `autoFormat`, indents by
  // `level` x `indentSize` copies of `indentChar` where the node's rules say
  // so; without it, writes no indentation or line breaks of its own.
  virtual void Serialize(std::string& out, bool autoFormat, char indentChar, unsigned indentSize,
                         unsigned level) const = 0;

  // Whether, when auto-formatting, a line break goes before this node given
  // the node that precedes it (for a first child: its parent element). True
  // unless `previous` is a text node that preserves its spaces.
  virtual bool NLAfter(const XMLNode& previous) const;

  // A rough count of the bytes Serialize() writes, used to size the output
  // buffer once instead of regrowing it around multi-MiB payloads.
  virtual size_t SizeHint() const = 0;

 protected:
  // Writes level x indentSize copies of indentChar.
  static void Indent(std::string& out, char indentChar, unsigned indentSize, unsigned level) {
    out.append(size_t(level) * indentSize, indentChar);
  }

 private:
  friend class XMLElement;
  friend class XMLDocument;
  void Attach(XMLElement* parent) {
    parent_ = parent;
    attached_ = true;
  }

  XMLNodeType type_;
  XMLElement* parent_ = nullptr;
  bool attached_ = false;
};

}  // namespace px

#endif
