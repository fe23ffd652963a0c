#pragma once
#include <cstddef>
#include <utility>

namespace GF {

// The owning pointer to a reference-counted object: it holds one reference while it is not null.
// Assignment takes the new reference before giving the old one back, so assigning a holder to
// itself (or to a holder of the same object) is safe.
template <class T>
class THolder {
public:
    THolder() = default;
    THolder(std::nullptr_t) {}
    THolder(T* object) : m_object(object) {
        if (m_object) m_object->AddRef();
    }
    THolder(const THolder& other) : THolder(other.m_object) {}
    THolder(THolder&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    template <class U>
    THolder(const THolder<U>& other) : THolder(static_cast<T*>(other.Get())) {}
    ~THolder() { Reset(); }

    THolder& operator=(const THolder& other) {
        Assign(other.m_object);
        return *this;
    }
    THolder& operator=(THolder&& other) noexcept {
        if (this != &other) {
            T* old = std::exchange(m_object, std::exchange(other.m_object, nullptr));
            if (old) old->Release();
        }
        return *this;
    }
    THolder& operator=(T* object) {
        Assign(object);
        return *this;
    }

    void Reset() {
        T* old = std::exchange(m_object, nullptr);
        if (old) old->Release();
    }

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    bool operator!() const { return m_object == nullptr; }

    friend bool operator==(const THolder& a, const THolder& b) { return a.m_object == b.m_object; }
    friend bool operator==(const THolder& a, std::nullptr_t) { return a.m_object == nullptr; }

private:
    void Assign(T* object) {
        if (object) object->AddRef();
        T* old = m_object;
        m_object = object;
        if (old) old->Release();
    }

    T* m_object = nullptr;
};

// Wraps a new object in its first holder.
template <class T, class... Args>
THolder<T> MakeHolder(Args&&... args) {
    return THolder<T>(new T(std::forward<Args>(args)...));
}

// A holder of a derived or base type, converted statically (the caller knows the type).
template <class T, class U>
THolder<T> HolderCast(const THolder<U>& from) {
    return THolder<T>(static_cast<T*>(from.Get()));
}

}  // namespace GF
