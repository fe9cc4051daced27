// Host objects that routines receive as handles and wrap for the duration of
// one call: a view, an image window and a host image. The module never
// creates or releases them.
#ifndef TRVX_FRAMEWORK_VIEW_H
#define TRVX_FRAMEWORK_VIEW_H

#include "host/HostAPI.h"

namespace px {

class View {
 public:
  explicit View(api_handle handle = nullptr) : handle_(handle) {}
  api_handle Handle() const { return handle_; }
  bool IsNull() const { return handle_ == nullptr; }

 private:
  api_handle handle_;
};

class ImageWindow {
 public:
  explicit ImageWindow(api_handle handle = nullptr) : handle_(handle) {}
  api_handle Handle() const { return handle_; }
  bool IsNull() const { return handle_ == nullptr; }

 private:
  api_handle handle_;
};

// A host image of any sample type.
class ImageVariant {
 public:
  explicit ImageVariant(api_handle handle = nullptr) : handle_(handle) {}
  api_handle Handle() const { return handle_; }

 private:
  api_handle handle_;
};

}  // namespace px

#endif
