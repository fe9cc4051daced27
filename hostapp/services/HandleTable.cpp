#include "hostapp/services/HandleTable.h"

#include <map>
#include <mutex>

namespace hostapp {

namespace {

struct Entry {
  HandleKind kind;
  std::function<void()> destroy;
};

std::mutex& TableMutex() {
  static std::mutex m;
  return m;
}

std::map<const void*, Entry>& Table() {
  static std::map<const void*, Entry> table;
  return table;
}

}  // namespace

void HandleTable::Add(void* object, HandleKind kind, std::function<void()> destroy) {
  std::lock_guard<std::mutex> lock(TableMutex());
  Table()[object] = Entry{kind, std::move(destroy)};
}

bool HandleTable::Is(const void* object, HandleKind kind) {
  auto k = KindOf(object);
  return k && *k == kind;
}

std::optional<HandleKind> HandleTable::KindOf(const void* object) {
  if (object == nullptr) return std::nullopt;
  std::lock_guard<std::mutex> lock(TableMutex());
  auto it = Table().find(object);
  if (it == Table().end()) return std::nullopt;
  return it->second.kind;
}

bool HandleTable::Destroy(void* object) {
  std::function<void()> destroy;
  {
    std::lock_guard<std::mutex> lock(TableMutex());
    auto it = Table().find(object);
    if (it == Table().end()) return false;
    if (!it->second.destroy) return true;
    destroy = std::move(it->second.destroy);
    Table().erase(it);
  }
  // Outside the lock: releasing a thread waits for it, and its work may
  // create handles of its own.
  destroy();
  return true;
}

}  // namespace hostapp
