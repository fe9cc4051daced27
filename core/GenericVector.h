// Fixed-length vector of numbers, possibly empty, whose storage is shared
// between copies until one of them is modified (relative scale factors,
// bias, global normalisation values).
#ifndef TRVX_CORE_GENERICVECTOR_H
#define TRVX_CORE_GENERICVECTOR_H

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "core/SharedData.h"

namespace px {

template <class T>
class GenericVector {
 public:
  GenericVector() = default;
  explicit GenericVector(size_t length, T value = T()) {
    if (length > 0) data_ = SharedData<std::vector<T>>(std::vector<T>(length, value));
  }
  GenericVector(std::initializer_list<T> values) {
    if (values.size() > 0) data_ = SharedData<std::vector<T>>(std::vector<T>(values));
  }
  GenericVector(const T* values, size_t length) {
    if (length > 0) data_ = SharedData<std::vector<T>>(std::vector<T>(values, values + length));
  }

  size_t Length() const { return Vec().size(); }
  bool IsEmpty() const { return Vec().empty(); }
  const T& operator[](size_t i) const { return Vec()[i]; }
  // Element i, made unshared first.
  T& At(size_t i) { return data_.Mutable()[i]; }
  const T* Begin() const { return Vec().data(); }
  const T* End() const { return Vec().data() + Vec().size(); }
  const T* begin() const { return Begin(); }
  const T* end() const { return End(); }
  const std::vector<T>& Vec() const { return data_.Get(); }
  bool SharesWith(const GenericVector& other) const { return data_.SharesWith(other.data_); }

 private:
  SharedData<std::vector<T>> data_;
};

using DVector = GenericVector<double>;

}  // namespace px

#endif
