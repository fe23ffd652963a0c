#pragma once
#include "engine/Hge.h"
#include "framework/core/RefCount.h"

namespace GF {

// One loaded sound: an engine stream, freed with the object. Handle 0 (the file was not found) is a
// sound that plays nothing.
class ISnd : public CRefCount {
public:
    virtual HSTREAM GetHandle() const = 0;
};

namespace HGENS {

class CSnd : public ISnd {
public:
    explicit CSnd(HSTREAM handle) : m_handle(handle) {}
    ~CSnd() override;

    HSTREAM GetHandle() const override { return m_handle; }

private:
    HSTREAM m_handle;
};

}  // namespace HGENS
}  // namespace GF
