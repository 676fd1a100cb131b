// Counted references to objects. Every object of the component and of the
// host runtime is reference counted; the last Release runs the object's
// termination (its destructor).
#pragma once

#include <cstddef>
#include <utility>

namespace quibor15 {

template <class T>
class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    // Takes a new counted reference to p.
    explicit Ref(T* p) noexcept : p_(p) {
        if (p_) p_->AddRef();
    }
    Ref(const Ref& other) noexcept : Ref(other.p_) {}
    Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    template <class U>
    Ref(const Ref<U>& other) noexcept : Ref(static_cast<T*>(other.Get())) {}
    template <class U>
    Ref(Ref<U>&& other) noexcept : p_(other.Detach()) {}
    ~Ref() { Reset(); }

    Ref& operator=(Ref other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    void Reset() noexcept {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    T* Detach() noexcept { return std::exchange(p_, nullptr); }

    // Takes over a reference the caller already counted.
    static Ref Adopt(T* p) noexcept {
        Ref r;
        r.p_ = p;
        return r;
    }

    friend bool operator==(const Ref& a, const Ref& b) noexcept { return a.p_ == b.p_; }
    friend bool operator==(const Ref& a, std::nullptr_t) noexcept { return a.p_ == nullptr; }

private:
    T* p_ = nullptr;
};

// Creates a T with its first counted reference.
template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
    // A new object starts with no references; this Ref counts the first.
    return Ref<T>(new T(std::forward<Args>(args)...));
}

template <class T, class U>
Ref<T> RefCast(const Ref<U>& r) noexcept {
    return Ref<T>(dynamic_cast<T*>(r.Get()));
}

}  // namespace quibor15
