#include <gtest/gtest.h>

#include "framework/core/Base.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"

namespace {

struct CTracked : GF::CRefCount {
    explicit CTracked(int* destroyed) : m_destroyed(destroyed) {}
    ~CTracked() override { ++*m_destroyed; }
    int* m_destroyed;
};

class IFace : public virtual GF::IBase {
public:
    virtual int Value() = 0;
};

// An object with two faces sharing one count.
class CTwoFaced : public GF::CRefCount, public IFace {
public:
    GF_IMPLEMENT_IBASE_REFCOUNT
    explicit CTwoFaced(int* destroyed) : m_destroyed(destroyed) {}
    ~CTwoFaced() override { ++*m_destroyed; }
    int Value() override { return 42; }
    bool QueryInterface(const int& id, void** out) override {
        *out = nullptr;
        if (id == GF::kIdBase)
            *out = static_cast<GF::IBase*>(this);
        else if (id == GF::kIdAnimation)
            *out = static_cast<IFace*>(this);
        else
            return false;
        AddRef();
        return true;
    }
    int* m_destroyed;
};

TEST(RefCount, LastReleaseDestroysExactlyOnce) {
    int destroyed = 0;
    auto* object = new CTracked(&destroyed);
    EXPECT_EQ(object->GetRefCount(), 0);
    {
        GF::THolder<CTracked> a(object);
        EXPECT_EQ(object->AddRef(), 2);
        EXPECT_EQ(object->Release(), 1);
        GF::THolder<CTracked> b = a;  // copy adds
        EXPECT_EQ(object->GetRefCount(), 2);
        GF::THolder<CTracked> c = std::move(b);  // move does not
        EXPECT_EQ(object->GetRefCount(), 2);
        EXPECT_FALSE(b);
        a = a;  // self-assignment keeps it alive
        a = c;  // same object through another holder
        EXPECT_EQ(object->GetRefCount(), 2);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(RefCount, AssignmentReleasesTheOldObjectAfterTakingTheNew) {
    int destroyedA = 0, destroyedB = 0;
    GF::THolder<CTracked> h(new CTracked(&destroyedA));
    h = new CTracked(&destroyedB);
    EXPECT_EQ(destroyedA, 1);
    EXPECT_EQ(destroyedB, 0);
    h = nullptr;
    EXPECT_EQ(destroyedB, 1);
}

TEST(RefCount, SmartInterfacePointerSharesTheObjectCount) {
    int destroyed = 0;
    GF::THolder<CTwoFaced> holder(new CTwoFaced(&destroyed));
    {
        GF::TSmartIPtr<IFace, GF::kIdAnimation> face(holder);
        ASSERT_TRUE(face);
        EXPECT_EQ(face->Value(), 42);
        EXPECT_EQ(holder->GetRefCount(), 2);

        GF::TSmartIPtr<IFace, GF::kIdSound> none(holder);  // a number the object does not answer
        EXPECT_FALSE(none);
        EXPECT_EQ(holder->GetRefCount(), 2);

        face = GF::THolder<CTwoFaced>();  // from a null holder: releases what it held
        EXPECT_FALSE(face);
        EXPECT_EQ(holder->GetRefCount(), 1);
        face = holder;
    }
    EXPECT_EQ(holder->GetRefCount(), 1);
    GF::TSmartIPtr<IFace, GF::kIdAnimation> last(holder);
    holder = nullptr;
    EXPECT_EQ(destroyed, 0);  // the interface pointer still owns it
    last = nullptr;
    EXPECT_EQ(destroyed, 1);
}

}  // namespace
