// A node of the descriptor tree (module, processes, parameters, interfaces).
// Each object owns its children; creating an object with a parent appends it
// to the parent's children, so construction order is child order.
#ifndef TRVX_FRAMEWORK_METAOBJECT_H
#define TRVX_FRAMEWORK_METAOBJECT_H

#include <cstddef>
#include <vector>

namespace px {

class MetaObject {
 public:
  // `parent` may be null (the module object). The parent takes ownership.
  explicit MetaObject(MetaObject* parent);
  // Destroys and frees every child, in child order. An object still listed
  // by its parent (a constructor that threw) removes itself from the list.
  virtual ~MetaObject();
  MetaObject(const MetaObject&) = delete;
  MetaObject& operator=(const MetaObject&) = delete;

  // Publishes this object to the host (module, process and parameter
  // definition sequences). The default publishes nothing.
  virtual void PerformAPIDefinitions() const {}

  MetaObject* Parent() const { return parent_; }
  size_t Length() const { return children_.size(); }
  // REQUIRES: i < Length().
  MetaObject* operator[](size_t i) const { return children_[i]; }

 private:
  MetaObject* parent_;
  std::vector<MetaObject*> children_;
};

}  // namespace px

#endif
