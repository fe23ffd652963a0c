#pragma once

namespace GF {

// The intrusive reference count almost every shared object carries. A new object starts at 0; the
// first holder that takes it makes it 1, and the last Release destroys it. Counting is plain: all
// objects live on the program's one thread.
class CRefCount {
public:
    CRefCount() = default;
    CRefCount(const CRefCount&) : m_refCount(0) {}  // a copy is a new object with its own count
    CRefCount& operator=(const CRefCount&) { return *this; }
    virtual ~CRefCount() = default;

    virtual int AddRef() { return ++m_refCount; }
    virtual int Release() {
        if (--m_refCount == 0) {
            delete this;
            return 0;
        }
        return m_refCount;
    }

    int GetRefCount() const { return m_refCount; }

private:
    int m_refCount = 0;
};

}  // namespace GF
