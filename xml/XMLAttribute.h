// An XML attribute (name and value) and the ordered attribute list of an
// element, in which names are unique and keep their first position.
#ifndef TRVX_XML_XMLATTRIBUTE_H
#define TRVX_XML_XMLATTRIBUTE_H

#include <string>
#include <vector>

#include "core/String.h"

namespace px {

struct XMLAttribute {
  String name;
  String value;
};

// Value type; single-threaded.
class XMLAttributeList {
 public:
  XMLAttributeList() = default;

  // Ignores an attribute with an empty name; replaces the value of an
  // attribute of the same name (exact, case-sensitive), which keeps its
  // position; otherwise appends.
  void SetAttribute(const XMLAttribute& attribute);
  void SetAttribute(const String& name, const String& value) { SetAttribute(XMLAttribute{name, value}); }

  bool IsEmpty() const { return list_.empty(); }
  size_t Length() const { return list_.size(); }
  const XMLAttribute& operator[](size_t i) const { return list_[i]; }
  // Whether an attribute of that name is present.
  bool HasAttribute(const String& name) const;
  // The value of the named attribute; empty when absent.
  String Value(const String& name) const;

  // Appends ` name="value"` pairs separated by one space, starting with
  // one space, values escaped without the apostrophe rule; nothing when the
  // list is empty.
  void Serialize(std::string& out) const;
  size_t SizeHint() const;

 private:
  std::vector<XMLAttribute> list_;
};

}  // namespace px

#endif
