#include "xml/XMLNode.h"

#include "xml/XMLText.h"

namespace px {

XMLNode::~XMLNode() = default;

bool XMLNode::NLAfter(const XMLNode& previous) const {
  return !(previous.IsText() && static_cast<const XMLText&>(previous).PreserveSpaces());
}

}  // namespace px
