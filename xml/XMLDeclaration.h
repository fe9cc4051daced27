// The XML declaration (`<?xml ...?>`) and DOCTYPE declaration of a document.
#ifndef TRVX_XML_XMLDECLARATION_H
#define TRVX_XML_XMLDECLARATION_H

#include "core/IsoString.h"
#include "core/String.h"

namespace px {

// Written only when `version` is non-empty; an empty `encoding` is written
// as "UTF-8".
struct XMLDeclaration {
  IsoString version;
  IsoString encoding;
  bool standalone = false;
};

// Written only when `name` is non-empty.
struct XMLDocTypeDeclaration {
  String name;
  String definition;
};

}  // namespace px

#endif
