#include "xml/XMLAttribute.h"

#include "xml/XML.h"

namespace px {

void XMLAttributeList::SetAttribute(const XMLAttribute& attribute) {
  if (attribute.name.IsEmpty()) return;
  for (XMLAttribute& a : list_)
    if (a.name == attribute.name) {
      a.value = attribute.value;
      return;
    }
  list_.push_back(attribute);
}

bool XMLAttributeList::HasAttribute(const String& name) const {
  for (const XMLAttribute& a : list_)
    if (a.name == name) return true;
  return false;
}

String XMLAttributeList::Value(const String& name) const {
  for (const XMLAttribute& a : list_)
    if (a.name == name) return a.value;
  return String();
}

void XMLAttributeList::Serialize(std::string& out) const {
  for (const XMLAttribute& a : list_) {
    out.push_back(' ');
    XML::AppendUTF8(out, a.name.View());
    out.append("=\"");
    XML::AppendEncodedUTF8(out, a.value.View(), false);
    out.push_back('"');
  }
}

size_t XMLAttributeList::SizeHint() const {
  size_t n = 0;
  for (const XMLAttribute& a : list_) n += a.name.Length() + a.value.Length() + 4;
  return n;
}

}  // namespace px
