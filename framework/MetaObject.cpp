#include "framework/MetaObject.h"

#include <algorithm>
#include <utility>

namespace px {

MetaObject::MetaObject(MetaObject* parent) : parent_(parent) {
  if (parent_ != nullptr) parent_->children_.push_back(this);
}

MetaObject::~MetaObject() {
  // Taken out first so that a child's own unlinking finds nothing to do.
  std::vector<MetaObject*> children = std::move(children_);
  children_.clear();
  for (MetaObject* child : children) delete child;
  if (parent_ != nullptr) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

}  // namespace px
