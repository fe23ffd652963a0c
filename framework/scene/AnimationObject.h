#pragma once
#include <string>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/IAnimation.h"

namespace GF {

// The one implementation of IAnimation: a clock over a named part of an animation description, the
// transform its children inherit (kept twice: relative to the container it may be substituted into,
// and in screen terms), and the children made from the description's object descriptions, drawables
// and sounds in two lists. It holds its children, description, scene and container; children hold
// it back through their parent pointer, and the scene holds it in its animation list, so Reset,
// Destroy and the destructor break those cycles.
class CAnimationObject : public IAnimation, public CRefCount {
public:
    CAnimationObject() = default;
    ~CAnimationObject() override;
    CAnimationObject(const CAnimationObject&) = delete;
    CAnimationObject& operator=(const CAnimationObject&) = delete;

    // A new, empty object in its first holder: what descriptions make animations with (install it as
    // the animation maker). Bind it (SetAnimationData) only while it is held: the children take
    // references to it.
    static THolder<IAnimation> Make();
    // A new object built from the description, in its first holder.
    static THolder<CAnimationObject> Create(const THolder<IAnimationData>& data);

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    bool AddObject(const TObjectAnimationPtr& child) override;
    void ApplyTransform() override;
    void Reset() override;
    void Destroy() override;
    bool IsVisible() override { return m_visible; }
    bool IsActive() override { return m_active; }
    THolder<IAnimationData> GetAnimationData() override;
    TAnimationEndEvent& GetEndEvent() override { return m_endEvent; }
    float GetTime() override { return m_currentTime; }
    int GetDrawableCount() override { return static_cast<int>(m_drawables.size()); }
    TDrawablePtr GetDrawable(unsigned index) override;
    TDrawablePtr FindDrawable(const std::string& name) override;
    float GetEndTime() override { return m_endTime; }
    int GetLayer() override { return m_world.layer; }
    const char* GetName() override;
    TObjectAnimationPtr FindObject(const std::string& name) override;
    const WChar* GetText(const std::string& name) override;
    TPoint<float> GetPosition() override { return {m_world.x, m_world.y}; }
    float GetOpacity() override { return m_world.opacity; }
    TRect GetBoundingBox() override;
    float GetRotation() override { return m_world.angle; }
    TPoint<float> GetScale() override { return {m_world.scaleX, m_world.scaleY}; }
    THolder<IScene> GetScene() override;
    float GetStartTime() override { return m_startTime; }
    const TTransform& GetTransform() override { return m_world; }
    TTransform& GetTransformRef() override { return m_world; }
    TSubstitutedContainerPtr GetContainer() override { return m_container; }
    bool IsDone() override { return m_done; }
    bool IsFinished() override { return m_finished; }
    bool Play(const char* part, int repeat, bool dropAtEnd) override;
    bool PlayAndApply(const char* part, int repeat, bool dropAtEnd) override;
    bool RemoveObject(const TObjectAnimationPtr& child) override;
    void ShowTime(const float& t) override;
    void ResumeSounds() override;
    void SetActive(bool active) override;
    void SetAnimationData(const THolder<IAnimationData>& data) override;
    void SetDelay(const float& ms, bool waitFirst) override;
    void PlayTo(const float& end) override;
    void DeactivateOnEnd() override;
    void SetLayer(int layer) override;
    void SetParticlesEmitting(bool emitting) override;
    void SetChildVisible(const char* name, bool visible) override;
    void SetPosition(const float& x, const float& y) override;
    void SetPosition(const TPoint<float>& position) override;
    void SetX(const float& x) override;
    void SetY(const float& y) override;
    bool SetTextNumber(const std::string& name, int number) override;
    bool SetText(const std::string& name, const WString& text) override;
    void SetOpacity(const float& opacity) override;
    void Stop() override;
    void StopLooping() override;
    void SetRotation(const float& angle) override;
    void SetScale(const float& sx, const float& sy) override;
    void SetScaleX(const float& sx) override;
    void SetScaleY(const float& sy) override;
    void SetDrawablesScene(const THolder<IScene>& scene) override;
    void PlayFrom(const float& t) override;
    void StopSounds() override;
    void SetSpeed(const float& speed) override { m_speed = speed; }
    void SetContainer(const TSubstitutedContainerPtr& container, bool asLocal) override;
    void SetScene(const THolder<IScene>& scene) override;
    void SetVisible(bool visible) override;
    void PauseSounds() override;
    bool Update(const float& dt) override;

private:
    using TChildList = std::vector<TObjectAnimationPtr>;

    // This object as its animation face: what children, the scene and end-event delegates get.
    TAnimationPtr Self() { return TAnimationPtr(static_cast<IAnimation*>(this)); }
    void ClearChildren();
    // With a container: the world record is the local one combined with the container's.
    void RefreshWorld();
    void StepTime(float step);
    void UpdateChildren(TChildList& list, float dt);
    void OnEndDeactivate(TAnimationPtr animation);
    const TTransform* ContainerTransform();

    TChildList m_drawables;
    TChildList m_sounds;
    THolder<IAnimationData> m_data;
    TTransform m_world;
    TTransform m_local;
    THolder<IScene> m_scene;
    bool m_finished = true;
    bool m_done = false;
    bool m_dropAtEnd = false;
    bool m_active = true;
    bool m_visible = true;
    float m_startTime = 0.0f;
    float m_endTime = 0.0f;
    float m_currentTime = 0.0f;
    float m_speed = 1.0f;
    int m_repeat = 0;
    TSubstitutedContainerPtr m_container;
    float m_delay = 0.0f;
    TAnimationEndEvent m_endEvent;
};

}  // namespace GF
