// A minimal owning pointer to a COM interface: releases on destruction,
// adds a reference on copy.
#pragma once

#include <unknwn.h>

#include <utility>

namespace veldrane::com {

template <class T>
class com_ptr {
 public:
  com_ptr() = default;
  /// Takes over a reference the caller already owns.
  static com_ptr adopt(T* p) {
    com_ptr r;
    r.p_ = p;
    return r;
  }
  /// Adds a reference of its own.
  static com_ptr share(T* p) {
    if (p) p->AddRef();
    return adopt(p);
  }
  com_ptr(const com_ptr& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  com_ptr(com_ptr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  com_ptr& operator=(com_ptr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~com_ptr() {
    if (p_) p_->Release();
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  /// The address to receive an out parameter; drops the current pointer.
  T** put() {
    *this = com_ptr();
    return &p_;
  }
  T* detach() { return std::exchange(p_, nullptr); }

  /// QueryInterface for U; empty when the object does not offer it.
  template <class U>
  com_ptr<U> query(const IID& iid) const {
    com_ptr<U> r;
    if (p_) p_->QueryInterface(iid, reinterpret_cast<void**>(r.put()));
    return r;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace veldrane::com
