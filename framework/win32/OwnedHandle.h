#pragma once
// Move-only owner of one OS handle, released when the owner goes away. Traits names the handle
// type, its empty value and how it is released:
//   struct Traits { using Handle = HKEY; static HKEY Empty(); static void Close(HKEY); };
template <typename Traits>
class OwnedHandle {
 public:
  using Handle = typename Traits::Handle;

  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) : handle_(handle) {}
  ~OwnedHandle() { Close(); }
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.Release();
    }
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  bool IsOpen() const { return handle_ != Traits::Empty(); }
  explicit operator bool() const { return IsOpen(); }
  Handle Get() const { return handle_; }
  // Gives up ownership without releasing the handle.
  Handle Release() {
    const Handle handle = handle_;
    handle_ = Traits::Empty();
    return handle;
  }
  void Close() {
    if (IsOpen()) Traits::Close(Release());
  }
  // Releases the handle held so far and takes ownership of another one.
  void Reset(Handle handle = Traits::Empty()) {
    Close();
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Empty();
};
