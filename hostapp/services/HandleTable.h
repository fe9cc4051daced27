// The kinds of the host objects handed to the module as opaque handles, so a
// call with a wrong or stale handle is refused instead of crashing.
// Thread-safe.
#ifndef TRVX_HOSTAPP_SERVICES_HANDLETABLE_H
#define TRVX_HOSTAPP_SERVICES_HANDLETABLE_H

#include <functional>
#include <optional>

namespace hostapp {

enum class HandleKind { Console, FileFormat, ImageFile, Thread, ProcessInstance };

class HandleTable {
 public:
  // Records `object` as a live handle of `kind`. `destroy` releases it on
  // "Global/DestroyObject"; null for objects the module never releases
  // (console, formats), which DestroyObject then leaves alone.
  static void Add(void* object, HandleKind kind, std::function<void()> destroy = nullptr);

  // True when `object` is a live handle of `kind`.
  static bool Is(const void* object, HandleKind kind);
  static std::optional<HandleKind> KindOf(const void* object);

  // Releases a releasable handle and then forgets it; the handle stays valid
  // while it is being released (a thread's work may still use it). Returns
  // false (nothing done) for unknown handles and handles already being
  // released; true for permanent ones, which stay.
  static bool Destroy(void* object);
};

}  // namespace hostapp

#endif
