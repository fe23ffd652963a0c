#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/Hge.h"
#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/RefCount.h"
#include "framework/scene/FunctionSpline.h"
#include "framework/scene/HgeDistortionMesh.h"
#include "framework/scene/HgeSprite.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IScene.h"

// One window shade: a textured rectangle drawn as a 16 x 16 distortion mesh that ripples with two
// sine waves and folds towards its fixed edge as two named curves progress over a run. The first
// curve folds the cloth and darkens its free edge, the second bends the fold so that the top stays
// spread while the bottom gathers. A rectangle whose right lies left of its left is drawn mirrored.
//
// It is a scene drawable that advances its own clock by the engine's frame delta whenever it is
// drawn and enabled; it never joins a scene by itself: its owner adds it to a scene and takes it out.
class CWaveEffect : public GF::IDrawable, public GF::CRefCount {
public:
    static constexpr int kColumns = 16;
    static constexpr int kRows = 16;

    // Without a sprite the effect draws nothing but still runs its clock.
    CWaveEffect(int32_t layer, const GF::THolder<GF::HGENS::CHGESprite>& sprite, const GF::TRect& rect);
    ~CWaveEffect() override;
    CWaveEffect(const CWaveEffect&) = delete;
    CWaveEffect& operator=(const CWaveEffect&) = delete;

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    // Runs the curves named `name` and `name` + "_2" of the game data's point lists over the
    // duration (ms) from the start; a name the data lacks gives a curve without points.
    void Start(const std::string& name, float durationMs);
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool IsEnabled() const { return m_enabled; }

    // 1.0 when idle (no duration), else the share of the duration run so far, at most 1.0.
    float GetProgress() const;
    float GetDuration() const { return m_duration; }
    // Advances the clock by dt seconds and lays out the nodes; what drawing does before it renders.
    void Update(float dtSeconds);
    // Null without a sprite.
    const hgeDistortionMesh* GetMesh() const { return m_mesh.get(); }

    // --- IDrawable: visibility is the enabled flag; scene membership is the owner's business ---
    void Detach() override {}
    void Render() override;
    int32_t GetLayer() override { return m_layer; }
    GF::TRect GetBoundingBox() override { return m_rect; }
    GF::THolder<GF::IScene> GetScene() override { return {}; }
    bool IsVisible() override { return m_enabled; }
    void SetScene(const GF::THolder<GF::IScene>&) override {}
    void SetVisible(bool visible) override { m_enabled = visible; }

private:
    GF::FunctionSpline<GF::TPoint<float>> m_fold;
    GF::FunctionSpline<GF::TPoint<float>> m_bend;
    bool m_enabled = true;
    int32_t m_rows = kRows;
    int32_t m_columns = kColumns;
    int32_t m_layer;
    GF::TRect m_rect;
    float m_duration = 0.0f;
    float m_elapsed = 0.0f;
    HGE* m_hge;
    std::unique_ptr<hgeDistortionMesh> m_mesh;
};

GF::THolder<CWaveEffect> CreateWaveEffect(int32_t layer, const GF::THolder<GF::HGENS::CHGESprite>& sprite,
                                          const GF::TRect& rect);
