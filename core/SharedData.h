// Copy-on-write holder behind String, IsoString, GenericVector and the item
// arrays: copies share one value with an atomic reference count, and a value
// is duplicated before it is modified while shared.
#ifndef TRVX_CORE_SHAREDDATA_H
#define TRVX_CORE_SHAREDDATA_H

#include <memory>
#include <utility>

namespace px {

// Thread safety: copies may be used on different threads (the count is
// atomic); one holder must not be used by two threads at once.
template <class T>
class SharedData {
 public:
  SharedData() = default;
  explicit SharedData(T value) : ptr_(std::make_shared<T>(std::move(value))) {}

  // The value; a default-constructed T when nothing is held.
  const T& Get() const { return ptr_ ? *ptr_ : Empty(); }

  // The value, made unshared first (copied when another holder shares it).
  T& Mutable() {
    if (!ptr_)
      ptr_ = std::make_shared<T>();
    else if (ptr_.use_count() > 1)
      ptr_ = std::make_shared<T>(*ptr_);
    return *ptr_;
  }

  void Reset() { ptr_.reset(); }
  bool IsShared() const { return ptr_ && ptr_.use_count() > 1; }
  bool SharesWith(const SharedData& other) const { return ptr_ && ptr_ == other.ptr_; }

 private:
  static const T& Empty() {
    static const T empty{};
    return empty;
  }
  std::shared_ptr<T> ptr_;
};

}  // namespace px

#endif
