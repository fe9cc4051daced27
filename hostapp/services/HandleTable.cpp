#include "hostapp/services/HandleTable.h"

#include <cstdint>
#include <map>
#include <mutex>

namespace hostapp {

namespace {

struct Entry {
  HandleKind kind;
  std::function<void()> destroy;
  uint64_t serial = 0;      // tells a re-added address from the entry being released
  bool releasing = false;
};

uint64_t s_serial = 0;

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
  Table()[object] = Entry{kind, std::move(destroy), ++s_serial, false};
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
  uint64_t serial = 0;
  {
    std::lock_guard<std::mutex> lock(TableMutex());
    auto it = Table().find(object);
    if (it == Table().end() || it->second.releasing) return false;
    if (!it->second.destroy) return true;
    it->second.releasing = true;
    destroy = it->second.destroy;
    serial = it->second.serial;
  }
  // Outside the lock, and with the handle still valid: releasing a thread
  // waits for its work, which may still use its own handle.
  destroy();
  std::lock_guard<std::mutex> lock(TableMutex());
  auto it = Table().find(object);
  if (it != Table().end() && it->second.serial == serial) Table().erase(it);
  return true;
}

}  // namespace hostapp
