#pragma once
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Base.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/resources/ObjectData.h"

namespace GF {

// One named animation of the resource tables: the descriptions of its children, in the order the
// animation builds them, and the named parts of its timeline. Live animation objects are made from
// it and keep it while they live.
class IAnimationData : public CRefCount {
public:
    // A new animation object built from this description (its SetAnimationData); empty (logged)
    // while no animation maker is installed.
    virtual THolder<IAnimation> CreateAnimation() = 0;
    virtual const char* GetName() const = 0;
    // The first part with exactly this name, in the order the parts were added; empty when none.
    virtual THolder<INamedPart> GetNamedPart(const char* name) const = 0;
    // The object description at the index; empty (logged) when the index is not below the count.
    virtual THolder<IObjectData> GetObjectData(int index) const = 0;
    virtual int GetObjectDataCount() const = 0;
};

namespace HGENS {

class CAnimationData : public IAnimationData {
public:
    explicit CAnimationData(std::string name) : m_name(std::move(name)) {}

    THolder<IAnimation> CreateAnimation() override;
    const char* GetName() const override { return m_name.c_str(); }
    THolder<INamedPart> GetNamedPart(const char* name) const override;
    THolder<IObjectData> GetObjectData(int index) const override;
    int GetObjectDataCount() const override { return static_cast<int>(m_objects.size()); }

    // Filled while the resource tables are built, in script order.
    void AddNamedPart(const THolder<INamedPart>& part);
    void AddObjectData(const THolder<IObjectData>& object);

private:
    std::string m_name;
    std::vector<THolder<INamedPart>> m_parts;
    std::vector<THolder<IObjectData>> m_objects;
};

}  // namespace HGENS
}  // namespace GF
