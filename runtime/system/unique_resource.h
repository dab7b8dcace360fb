// The one owner template for every handle the program holds: registry
// keys, files, searches, kernel handles, COM interfaces, GDI objects,
// device contexts, system-allocated blocks and libraries. It cannot be
// copied (a copy would close twice), it can be moved, and it closes exactly
// once on every way out. The invalid value is never closed, so a key or
// file that failed to open is left alone.
//
// Each owner is an alias named Unique<Thing>, declared beside the function
// that closes its handle: in the port or command header for the portable
// handles, in runtime/win32/owners_win32.h for the Win32 ones.
#pragma once

#include <utility>

namespace pelmora {

// `Close` is a function taking the handle (its result, if any, is not
// looked at: a failure to close is reported by callers that care, through
// release() and their own call). `Invalid` is the value that holds nothing.
template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(Handle handle) : handle_(handle) {}
  ~UniqueResource() { reset(); }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  explicit operator bool() const { return handle_ != Invalid; }
  Handle get() const { return handle_; }

  // For calls that hand a new handle back through an out-parameter: the
  // old one is closed first.
  Handle* put() {
    reset();
    return &handle_;
  }

  // Gives the handle up without closing it.
  [[nodiscard]] Handle release() { return std::exchange(handle_, Invalid); }

  void reset(Handle handle = Invalid) {
    const Handle old = std::exchange(handle_, handle);
    if (old != Invalid) Close(old);
  }

 private:
  Handle handle_ = Invalid;
};

}  // namespace pelmora
