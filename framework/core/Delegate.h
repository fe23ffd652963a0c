#pragma once
#include <cstring>
#include <functional>
#include <utility>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"

namespace GF {

// Reference-counted callbacks. Two delegates are equal when they bind the same object (null for a
// free function) and the same function pointer, compared byte for byte.
template <class R>
class IDelegate0 : public CRefCount {
public:
    virtual R Invoke() = 0;
    virtual bool IsEqual(THolder<IDelegate0> other) = 0;
    virtual void* GetObject() = 0;
    virtual const void* GetMethodData() = 0;
    virtual int GetMethodSize() = 0;
};

template <class R, class A>
class IDelegate1 : public CRefCount {
public:
    virtual R Invoke(A a) = 0;
    virtual bool IsEqual(THolder<IDelegate1> other) = 0;
    virtual void* GetObject() = 0;
    virtual const void* GetMethodData() = 0;
    virtual int GetMethodSize() = 0;
};

template <class R, class A, class B, class C>
class IDelegate3 : public CRefCount {
public:
    virtual R Invoke(A a, B b, C c) = 0;
    virtual bool IsEqual(THolder<IDelegate3> other) = 0;
    virtual void* GetObject() = 0;
    virtual const void* GetMethodData() = 0;
    virtual int GetMethodSize() = 0;
};

namespace detail {

// The shared equality rule of every delegate kind.
template <class D, class F>
bool DelegateEquals(D* other, void* object, const F& function) {
    if (!other) return false;
    if (other->GetObject() != object) return false;
    if (other->GetMethodSize() != static_cast<int>(sizeof(F))) return false;
    return std::memcmp(other->GetMethodData(), &function, sizeof(F)) == 0;
}

// Implements the identity operations of a delegate interface I bound to an object and a function.
template <class I, class F>
class TDelegateBase : public I {
public:
    TDelegateBase(void* object, F function) : m_object(object), m_function(function) {}
    bool IsEqual(THolder<I> other) override { return DelegateEquals(other.Get(), m_object, m_function); }
    void* GetObject() override { return m_object; }
    const void* GetMethodData() override { return &m_function; }
    int GetMethodSize() override { return static_cast<int>(sizeof(F)); }

protected:
    void* m_object;
    F m_function;
};

}  // namespace detail

template <class T, class R>
class CMethodDelegate0 : public detail::TDelegateBase<IDelegate0<R>, R (T::*)()> {
    using Base = detail::TDelegateBase<IDelegate0<R>, R (T::*)()>;

public:
    CMethodDelegate0(T* object, R (T::*method)()) : Base(object, method) {}
    R Invoke() override { return std::invoke(this->m_function, static_cast<T*>(this->m_object)); }
};

template <class T, class R, class A>
class CMethodDelegate1 : public detail::TDelegateBase<IDelegate1<R, A>, R (T::*)(A)> {
    using Base = detail::TDelegateBase<IDelegate1<R, A>, R (T::*)(A)>;

public:
    CMethodDelegate1(T* object, R (T::*method)(A)) : Base(object, method) {}
    R Invoke(A a) override { return std::invoke(this->m_function, static_cast<T*>(this->m_object), a); }
};

template <class T, class R, class A, class B, class C>
class CMethodDelegate3 : public detail::TDelegateBase<IDelegate3<R, A, B, C>, R (T::*)(A, B, C)> {
    using Base = detail::TDelegateBase<IDelegate3<R, A, B, C>, R (T::*)(A, B, C)>;

public:
    CMethodDelegate3(T* object, R (T::*method)(A, B, C)) : Base(object, method) {}
    R Invoke(A a, B b, C c) override {
        return std::invoke(this->m_function, static_cast<T*>(this->m_object), a, b, c);
    }
};

template <class R>
class CStaticDelegate0 : public detail::TDelegateBase<IDelegate0<R>, R (*)()> {
    using Base = detail::TDelegateBase<IDelegate0<R>, R (*)()>;

public:
    explicit CStaticDelegate0(R (*function)()) : Base(nullptr, function) {}
    R Invoke() override { return this->m_function(); }
};

template <class R, class A>
class CStaticDelegate1 : public detail::TDelegateBase<IDelegate1<R, A>, R (*)(A)> {
    using Base = detail::TDelegateBase<IDelegate1<R, A>, R (*)(A)>;

public:
    explicit CStaticDelegate1(R (*function)(A)) : Base(nullptr, function) {}
    R Invoke(A a) override { return this->m_function(a); }
};

template <class R, class A, class B, class C>
class CStaticDelegate3 : public detail::TDelegateBase<IDelegate3<R, A, B, C>, R (*)(A, B, C)> {
    using Base = detail::TDelegateBase<IDelegate3<R, A, B, C>, R (*)(A, B, C)>;

public:
    explicit CStaticDelegate3(R (*function)(A, B, C)) : Base(nullptr, function) {}
    R Invoke(A a, B b, C c) override { return this->m_function(a, b, c); }
};

// Creation functions: a new delegate in its first holder.
template <class T, class R>
THolder<IDelegate0<R>> CreateDelegate(T* object, R (T::*method)()) {
    return THolder<IDelegate0<R>>(new CMethodDelegate0<T, R>(object, method));
}
template <class T, class R, class A>
THolder<IDelegate1<R, A>> CreateDelegate(T* object, R (T::*method)(A)) {
    return THolder<IDelegate1<R, A>>(new CMethodDelegate1<T, R, A>(object, method));
}
template <class T, class R, class A, class B, class C>
THolder<IDelegate3<R, A, B, C>> CreateDelegate(T* object, R (T::*method)(A, B, C)) {
    return THolder<IDelegate3<R, A, B, C>>(new CMethodDelegate3<T, R, A, B, C>(object, method));
}
template <class R>
THolder<IDelegate0<R>> CreateDelegate(R (*function)()) {
    return THolder<IDelegate0<R>>(new CStaticDelegate0<R>(function));
}
template <class R, class A>
THolder<IDelegate1<R, A>> CreateDelegate(R (*function)(A)) {
    return THolder<IDelegate1<R, A>>(new CStaticDelegate1<R, A>(function));
}
template <class R, class A, class B, class C>
THolder<IDelegate3<R, A, B, C>> CreateDelegate(R (*function)(A, B, C)) {
    return THolder<IDelegate3<R, A, B, C>>(new CStaticDelegate3<R, A, B, C>(function));
}

}  // namespace GF
