#include "xml/XMLDocument.h"

#include <string>

#include "core/Exception.h"
#include "core/HugePages.h"
#include "file/File.h"
#include "xml/XML.h"

namespace px {

XMLDocument::~XMLDocument() {
  for (XMLNode* n : nodes_) delete n;
}

void XMLDocument::SetXML(const IsoString& version, const IsoString& encoding, bool standalone) {
  xml_.version = version;
  xml_.encoding = encoding;
  xml_.standalone = standalone;
}

void XMLDocument::SetDocType(const String& name, const String& definition) {
  docType_.name = name;
  docType_.definition = definition;
}

void XMLDocument::AddNode(XMLNode* node) {
  if (node == nullptr) throw Error("XMLDocument::AddNode(): Null pointer specified.");
  if (node->IsAttached()) throw Error("XMLDocument::AddNode(): Child node specified.");
  Adopt(node);
  node->Attach(nullptr);
}

void XMLDocument::SetRootElement(XMLElement* element) {
  auto fail = [](const char* what) { throw Error(String("XMLDocument::SetRootElement(): ") + what); };
  if (element == nullptr) fail("Null pointer specified.");
  if (element->IsAttached()) fail("Child node specified.");
  if (element->ParentElement() != nullptr) fail("Internal error: Inconsistent node hierarchy.");
  if (root_ != nullptr) fail("Already have a document root element.");
  Adopt(element);
  element->Attach(nullptr);
  root_ = element;
}

void XMLDocument::Adopt(XMLNode* node) {
  try {
    nodes_.push_back(node);
  } catch (...) {
    delete node;  // ownership was handed over with the call
    throw;
  }
}

IsoString XMLDocument::Serialize() const {
  std::string out;
  size_t hint = 256;
  for (const XMLNode* n : nodes_) hint += n->SizeHint() + 1;
  out.reserve(hint);
  AdviseHugePages(out.data(), out.capacity());

  if (!xml_.version.IsEmpty()) {
    out.append("<?xml version=\"");
    out.append(xml_.version.View());
    out.append("\" encoding=\"");
    out.append(xml_.encoding.IsEmpty() ? std::string_view("UTF-8") : xml_.encoding.View());
    out.push_back('"');
    if (xml_.standalone) out.append(" standalone=\"yes\"");
    out.append("?>");
    if (autoFormatting_) out.push_back('\n');
  }

  if (!docType_.name.IsEmpty()) {
    out.append("<!DOCTYPE ");
    XML::AppendUTF8(out, docType_.name.View());
    if (!docType_.definition.IsEmpty()) {
      out.push_back(' ');
      XML::AppendUTF8(out, docType_.definition.View());
    }
    out.push_back('>');
    if (autoFormatting_) out.push_back('\n');
  }

  char indentChar = indentWithTabs_ ? '\t' : ' ';
  unsigned indentSize = indentWithTabs_ ? 1u : unsigned(indentSize_);
  for (const XMLNode* n : nodes_) {
    n->Serialize(out, autoFormatting_, indentChar, indentSize, 0);
    if (autoFormatting_) out.push_back('\n');
  }
  return IsoString(std::move(out));
}

void XMLDocument::SerializeToFile(const String& path) const {
  File::WriteTextFile(path, Serialize());
}

}  // namespace px
