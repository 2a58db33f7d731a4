// The root of the object model.
//
// Every class of the engine and toolkit derives from Object. Objects that are
// shared (textures, brushes, pixmaps, banks, streams, samples, sounds, fonts)
// carry an intrusive reference count and are held through Ref<T>; they are
// deleted when the last Ref lets go. Objects that live in a global list (scene
// entities) are owned by that list and referenced by plain pointers.
//
// The count is atomic because the audio thread may drop the last reference to a
// sample the main thread made; every other use is single-threaded.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <utility>

class Object {
 public:
  Object() = default;
  Object(const Object&) : refs_(0) {}
  Object& operator=(const Object&) { return *this; }
  virtual ~Object() = default;

  // A readable description; subclasses override it where the system defines one.
  virtual std::string ToString() const;

  void Retain() const { refs_.fetch_add(1, std::memory_order_relaxed); }
  void Release() const {
    if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }
  int RefCount() const { return refs_.load(std::memory_order_relaxed); }

 private:
  mutable std::atomic<int> refs_{0};
};

// Intrusive counted pointer. Construction from a raw pointer adopts it (the count
// goes up by one), so `Ref<T> r(new T)` and `Ref<T> r = existing_raw` both work.
template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(std::nullptr_t) {}
  Ref(T* p) : p_(p) {
    if (p_) p_->Retain();
  }
  Ref(const Ref& o) : Ref(o.p_) {}
  Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  template <class U>
  Ref(const Ref<U>& o) : Ref(o.get()) {}
  ~Ref() {
    if (p_) p_->Release();
  }

  Ref& operator=(Ref o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  operator T*() const { return p_; }

  // Gives up ownership without releasing; the caller takes over one reference.
  T* Detach() { return std::exchange(p_, nullptr); }

 private:
  T* p_ = nullptr;
};

template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
  return Ref<T>(new T(std::forward<Args>(args)...));
}
