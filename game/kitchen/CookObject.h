#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/RefCount.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IScene.h"
#include "framework/scene/Rect.h"
#include "game/app/LevelRecords.h"
#include "game/app/LibData.h"

// Whether a point of an object's own frame (pixels from its position, unscaled, unturned) falls on a
// solid cell of its library mask: a cell of 0 is solid, any other value lets the click through; the
// mask's last row never hits; an empty cell list is solid throughout. A point without a place in the
// frame (not finite) and a cell past the end of a short cell list miss.
bool MaskHit(const CCellMaskInfo& mask, const GF::TPoint<float>& local);

// One object placed on a level: a cooking device, an ingredient place, a plate, scenery, an item of
// a bonus mini-game. The level fields make one per placed-object record, find the object under the
// mouse by its hit test and play states on its animation; the work action switches a device into
// work (Setup) and back to rest (SetState). The electric stoves share one fire while any of them works.
class CCookObject : public GF::CRefCount {
public:
    // The object for the placement, its animation made in the scene by the placement's name. A name
    // the library lacks gets a default record (scenery, no pixel test, no sounds), logged; a name the
    // scene cannot make leaves the object without an animation: never hit and never played.
    static GF::THolder<CCookObject> Create(const CPlacedObjectInfo& placement,
                                           const GF::THolder<GF::IScene>& scene);
    // The same at rest ("_idle", scenery excepted) and hidden, for a show action to bring in.
    static GF::THolder<CCookObject> CreateHidden(const CPlacedObjectInfo& placement,
                                                 const GF::THolder<GF::IScene>& scene);
    ~CCookObject() override;
    CCookObject(const CCookObject&) = delete;
    CCookObject& operator=(const CCookObject&) = delete;

    const GF::TAnimationPtr& GetAnimation() const { return m_animation; }
    const CPlacedObjectInfo& GetPlacement() const { return m_placement; }
    const CIngridientInfo& GetInfo() const { return *m_info; }
    const std::string& GetName() const { return m_placement.Name; }

    // Shown and usable.
    bool IsReady() const { return m_ready; }
    // Ready with its animation visible and active, or none of the three.
    void SetShown(bool shown);
    // No work of the heroine pending on it.
    bool IsFree() const { return m_free; }
    void SetFree(bool free) { m_free = free; }

    // Whether the screen point lies on the object: inside its bounding box (edges included; taken
    // again from the animation when asked) and, for objects with the pixel test, on a solid cell of
    // the library record's mask.
    bool HitTest(const GF::TPoint<int>& point, bool refreshBox);
    // A device begins its work: its start and working sounds, the stoves' fire, "_work".
    void Setup();
    // A device has finished: its working sound stops, the bell rings, it rests again.
    void SetState();

private:
    CCookObject(const CPlacedObjectInfo& placement, const GF::THolder<GF::IScene>& scene);
    bool IsStove() const;
    void TakeFireShare();
    void ReturnFireShare();

    CPlacedObjectInfo m_placement;
    GF::TRect m_box;
    bool m_ready = true;
    bool m_free = true;
    bool m_holdsFireShare = false;
    GF::TAnimationPtr m_animation;
    // The library's record, or m_ownInfo for a name the library lacks.
    const CIngridientInfo* m_info = nullptr;
    CIngridientInfo m_ownInfo;
};
