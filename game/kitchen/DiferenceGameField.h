#pragma once
#include <list>
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/scene/SceneFwd.h"
#include "game/kitchen/CookObject.h"
#include "game/kitchen/GameFieldBase.h"

// The spot-the-difference mini-game: two pictures side by side, 400 pixels wide each, showing the
// level's placed objects. An object without a twin (the same library name at its mirrored place in
// the other picture) is a difference; clicking it, or its empty place in the other picture, shows
// its twin and both pulse. Every difference found wins (101), the clock running out loses (102);
// the count found goes into float variable 13. A second cursor mirrors the mouse into the other
// picture.
class CDiferenceGameField : public CGameFieldBase {
public:
    static GF::THolder<CDiferenceGameField> Create();
    ~CDiferenceGameField() override;

    bool StartLevel(const std::string& levelName) override;
    void SetLevelLayout(GF::TAnimationPtr layout) override;
    void SetPaused(bool paused) override;
    void Update(const float& dt) override;
    void Init(GF::TAnimationPtr layout, GF::THolder<GF::IScreen> screen) override;
    void OnKeyDown(int key) override;
    void FinishLevel() override;
    void ResetLevel() override;

    const std::list<GF::THolder<CCookObject>>& GetObjects() const { return m_objects; }
    GF::TAnimationPtr GetMirrorCursor() const { return m_mirrorCursor; }
    bool IsPlaying() const { return m_step == &CDiferenceGameField::UpdatePlay; }

private:
    using TStep = void (CDiferenceGameField::*)(const float& dt);

    CDiferenceGameField();
    void UpdateIntroWait(const float& dt);
    void UpdatePlay(const float& dt);
    void UpdateLevelClock(const float& dt);
    // The first ready, free object under the point; empty when none.
    GF::THolder<CCookObject> FindObjectAt(const GF::TPoint<float>& point);
    bool IsDifference(const GF::THolder<CCookObject>& object);
    void RevealDifference(const GF::THolder<CCookObject>& object);
    void CreateMirrorCursor();
    void StartOpeningParticles();
    GF::TPoint<float> Mirrored(const GF::TPoint<float>& point) const;

    TStep m_step = &CDiferenceGameField::UpdateIntroWait;
    std::list<GF::THolder<CCookObject>> m_objects;
    int32_t m_halfWidth = 400;
    int32_t m_found = 0;
    int32_t m_total = 0;
    GF::TAnimationPtr m_mirrorCursor;
    GF::TAnimationPtr m_levelLayout;
};
