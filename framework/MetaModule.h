// The module descriptor: the root of the descriptor tree and what the host's
// identification reads. There is at most one per loaded library.
#ifndef TRVX_FRAMEWORK_METAMODULE_H
#define TRVX_FRAMEWORK_METAMODULE_H

#include <cstddef>
#include <cstdint>

#include "core/IsoString.h"
#include "core/String.h"
#include "framework/MetaObject.h"

namespace px {

class MetaModule : public MetaObject {
 public:
  // Registers this object as the module object. Throws Error "MetaModule:
  // Module redefinition not allowed" when one exists already (the first one
  // stays registered).
  MetaModule();
  // Clears the registration when this is the registered module object.
  ~MetaModule() override;

  // The module definition sequence: enters the module definition context,
  // registers the module routines, lets every child define itself in child
  // order, exits the context. REQUIRES: the host interface is bound.
  void PerformAPIDefinitions() const override;

  virtual uint64_t UniqueId() const { return 0; }
  // Static text, never freed.
  virtual const char* Version() const = 0;
  virtual IsoString Name() const = 0;
  virtual String Description() const = 0;
  virtual String Company() const = 0;
  virtual String Author() const = 0;
  virtual String Copyright() const = 0;
  virtual String TradeMarks() const = 0;
  virtual String OriginalFileName() const = 0;
  virtual void GetReleaseDate(int& year, int& month, int& day) const = 0;

  // A block from the global allocator; std::bad_alloc when none is left.
  virtual void* Allocate(size_t size);
  // Releases a block from Allocate (null: nothing).
  virtual void Deallocate(void* block);
  virtual void OnLoad() {}
  virtual void OnUnload() {}
};

// The registered module object; null before installation. Process-wide,
// unguarded: entry points are called one at a time.
extern MetaModule* Module;

}  // namespace px

#endif
