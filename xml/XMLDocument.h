// A write-only XML document: declaration, DOCTYPE and owned top-level nodes
// (one of them the root element), serialised to UTF-8 text in one pass into
// one growing 8-bit buffer, optionally indented.
#ifndef TRVX_XML_XMLDOCUMENT_H
#define TRVX_XML_XMLDOCUMENT_H

#include <vector>

#include "core/IsoString.h"
#include "core/String.h"
#include "xml/XMLDeclaration.h"
#include "xml/XMLElement.h"
#include "xml/XMLNode.h"

namespace px {

// Owns every node given to it and deletes the whole tree when destroyed.
// Not copyable. Single-threaded.
class XMLDocument {
 public:
  XMLDocument() = default;
  ~XMLDocument();
  XMLDocument(const XMLDocument&) = delete;
  XMLDocument& operator=(const XMLDocument&) = delete;

  void SetXML(const IsoString& version, const IsoString& encoding = IsoString(), bool standalone = false);
  const XMLDeclaration& Declaration() const { return xml_; }
  void SetDocType(const String& name, const String& definition = String());
  const XMLDocTypeDeclaration& DocType() const { return docType_; }

  // Appends a top-level node and takes ownership (the node is deleted if
  // appending runs out of memory, here and in SetRootElement). Throws Error
  // "XMLDocument::AddNode(): Null pointer specified." or "...: Child node
  // specified." (already attached; ownership is not taken).
  void AddNode(XMLNode* node);
  // Appends `element` as a top-level node, makes it the root and takes
  // ownership. Throws Error with the prefix "XMLDocument::SetRootElement(): "
  // and, tested in this order, "Null pointer specified.", "Child node
  // specified.", "Internal error: Inconsistent node hierarchy.", "Already
  // have a document root element."; ownership is not taken then.
  void SetRootElement(XMLElement* element);
  // The root element; null when none was set.
  XMLElement* RootElement() const { return root_; }
  size_t NodeCount() const { return nodes_.size(); }
  const XMLNode& Node(size_t i) const { return *nodes_[i]; }

  // Writer options: auto-formatting off, indent size 3, spaces by default.
  void SetAutoFormatting(bool enable = true) { autoFormatting_ = enable; }
  bool IsAutoFormatting() const { return autoFormatting_; }
  void SetIndentSize(int size) { indentSize_ = size < 0 ? 0 : size; }
  int IndentSize() const { return indentSize_; }
  void SetIndentWithTabs(bool enable = true) { indentWithTabs_ = enable; }
  bool IsIndentWithTabs() const { return indentWithTabs_; }

  // The document as UTF-8 text, without byte-order mark; lines end with a
  // single line feed.
  IsoString Serialize() const;
  // Serialize(), then write the text as the whole content of `path` (created
  // or replaced) through File::WriteTextFile. Nothing is written when
  // building the text fails. Throws File::Error on I/O failures.
  void SerializeToFile(const String& path) const;

 private:
  void Adopt(XMLNode* node);

  XMLDeclaration xml_;
  XMLDocTypeDeclaration docType_;
  std::vector<XMLNode*> nodes_;
  XMLElement* root_ = nullptr;
  bool autoFormatting_ = false;
  bool indentWithTabs_ = false;
  int indentSize_ = 3;
};

}  // namespace px

#endif
