#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Hge.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/HgeDistortionMesh.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IScene.h"
#include "framework/scene/SceneFwd.h"

// One leaf of a book: a rectangle of paper with a front and a back that curls over a fold line from
// lying flat (progress 0) to turned over to the left of its rectangle (progress 1). Each side is a
// picture of an animation drawn once into a texture of its own with an alpha mask applied; the curl
// is laid out on a 16 x 16 distortion mesh whose triangles wind one way where the paper shows its
// front and the other way where it shows its back, so culling picks the side.
//
// It is a scene drawable; its owner adds it to a scene and takes it out again.
class CPaperEffect : public GF::IDrawable, public GF::CRefCount {
public:
    static constexpr int kColumns = 16;
    static constexpr int kRows = 16;
    static constexpr int kSideSize = 512;  // side textures and the render target, square
    static constexpr float kMaxCurl = 314.15927f;

    // a: the whole leaf's rotation; b and g: the fold direction's angle at progress 0 and 1.
    static GF::THolder<CPaperEffect> Create(float rotation, float startAngle, float endAngle,
                                            const GF::TRect& rect);
    ~CPaperEffect() override;
    CPaperEffect(const CPaperEffect&) = delete;
    CPaperEffect& operator=(const CPaperEffect&) = delete;

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    // Draws each given animation into its side's texture through its mask; either may be empty (a
    // side not given keeps what an earlier build drew). False, logged, when nothing could be drawn.
    bool Build(const GF::TAnimationPtr& front, const GF::TAnimationPtr& back, HTEXTURE frontMask,
               HTEXTURE backMask);
    // Lays the mesh out for progress t; always true.
    bool SetProgress(float t);
    float GetProgress() const { return m_progress; }

    // The part of the side textures the mesh shows; 0 x 0 takes the first side's bounding box.
    void SetTextureSize(int width, int height) {
        m_textureWidth = width;
        m_textureHeight = height;
    }
    bool IsReady() const { return m_ready; }
    void SetLayer(int32_t layer) { m_layer = layer; }
    const hgeDistortionMesh& GetMesh() const { return *m_mesh; }

    // --- IDrawable: drawing is Draw; scene membership is the owner's business ---
    void Detach() override {}
    void Render() override { Draw(); }
    int32_t GetLayer() override { return m_layer; }
    GF::TRect GetBoundingBox() override { return m_rect; }
    GF::THolder<GF::IScene> GetScene() override { return {}; }
    bool IsVisible() override { return m_visible; }
    void SetScene(const GF::THolder<GF::IScene>&) override {}
    void SetVisible(bool visible) override { m_visible = visible; }

    // Nothing unless visible and ready: the front where the paper shows it, then the back.
    void Draw();

private:
    CPaperEffect(float rotation, float startAngle, float endAngle, const GF::TRect& rect);

    // Renders the animation into `side` (made on first use) through the mask; false, logged, on failure.
    bool BuildSide(const GF::TAnimationPtr& animation, HTEXTURE& side, HTEXTURE mask, int number);
    bool WriteSide(const GF::TAnimationPtr& animation, HTEXTURE side, HTEXTURE mask);
    void Log(const char* text);

    GF::TRect m_rect;
    float m_rotationSin, m_rotationCos;
    float m_progress = 0.0f;
    float m_startSin, m_startCos;
    float m_endSin, m_endCos;
    HGE* m_hge;
    int m_textureWidth = 0;
    int m_textureHeight = 0;
    HTEXTURE m_front = 0;
    HTEXTURE m_back = 0;
    std::unique_ptr<hgeDistortionMesh> m_mesh;
    bool m_visible = true;
    int32_t m_layer = 5;
    int m_rows = kRows;
    int m_columns = kColumns;
    bool m_ready = false;
};

// The drawables of an animation and of the animations hosted in its containers, at any depth, in
// layer order (equal layers in the order met): what a scene would draw of it.
std::vector<GF::TDrawablePtr> CollectDrawables(const GF::TAnimationPtr& animation);
