#pragma once
#include <utility>

#include "framework/core/Holder.h"

namespace GF {

// Interface numbers answered by QueryInterface. Each interface type is bound to one number.
enum EInterfaceId {
    kIdBase = 0,
    kIdObjectAnimation = 1,
    kIdSound = 2,
    kIdDrawable = 3,
    kIdSubstitutedContainer = 4,
    kIdSprite = 5,
    kIdTextSprite = 6,
    kIdAnimation = 7,
    kIdParticle = 13,
};

// The root of every interface. Interfaces derive from it virtually, so an object with several faces
// has one IBase and one reference count.
class IBase {
public:
    virtual int AddRef() = 0;
    virtual int Release() = 0;
    // For a number the object answers: stores its view as that interface, adds a reference and
    // answers true. Otherwise stores null and answers false.
    virtual bool QueryInterface(const int& id, void** out) = 0;

protected:
    virtual ~IBase() = default;
};

// A pointer to interface I (number N) obtained from an object through the numbered query. It owns
// one reference while it is not null.
template <class I, int N>
class TSmartIPtr {
public:
    TSmartIPtr() = default;
    TSmartIPtr(std::nullptr_t) {}
    template <class T>
    TSmartIPtr(const THolder<T>& source) {
        Query(source.Get());
    }
    template <class T>
    explicit TSmartIPtr(T* source) {
        Query(source);
    }
    TSmartIPtr(const TSmartIPtr& other) : m_ptr(other.m_ptr) {
        if (m_ptr) AsBase(m_ptr)->AddRef();
    }
    TSmartIPtr(TSmartIPtr&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    ~TSmartIPtr() { Reset(); }

    TSmartIPtr& operator=(const TSmartIPtr& other) {
        I* incoming = other.m_ptr;
        if (incoming) AsBase(incoming)->AddRef();
        I* old = std::exchange(m_ptr, incoming);
        if (old) AsBase(old)->Release();
        return *this;
    }
    TSmartIPtr& operator=(TSmartIPtr&& other) noexcept {
        if (this != &other) {
            I* old = std::exchange(m_ptr, std::exchange(other.m_ptr, nullptr));
            if (old) AsBase(old)->Release();
        }
        return *this;
    }
    template <class T>
    TSmartIPtr& operator=(const THolder<T>& source) {
        I* old = std::exchange(m_ptr, nullptr);
        Query(source.Get());
        if (old) AsBase(old)->Release();
        return *this;
    }
    TSmartIPtr& operator=(std::nullptr_t) {
        Reset();
        return *this;
    }

    void Reset() {
        I* old = std::exchange(m_ptr, nullptr);
        if (old) AsBase(old)->Release();
    }

    I* Get() const { return m_ptr; }
    I* operator->() const { return m_ptr; }
    I& operator*() const { return *m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }
    bool operator!() const { return m_ptr == nullptr; }
    friend bool operator==(const TSmartIPtr& a, const TSmartIPtr& b) { return a.m_ptr == b.m_ptr; }

private:
    static IBase* AsBase(I* p) { return static_cast<IBase*>(p); }

    template <class T>
    void Query(T* source) {
        if (!source) return;
        void* out = nullptr;
        if (static_cast<IBase*>(source)->QueryInterface(N, &out)) m_ptr = static_cast<I*>(out);
    }

    I* m_ptr = nullptr;
};

// Joins IBase's AddRef and Release to CRefCount's in a class that has both, so that every view of
// the object shares the one count.
#define GF_IMPLEMENT_IBASE_REFCOUNT        \
    int AddRef() override {                \
        return ::GF::CRefCount::AddRef();  \
    }                                      \
    int Release() override {               \
        return ::GF::CRefCount::Release(); \
    }

}  // namespace GF
