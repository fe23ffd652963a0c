#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/Hge.h"
#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/core/RefCount.h"
#include "framework/scene/HgeDistortionMesh.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IScene.h"
#include "game/app/GameData.h"

// A texture drawn through a distortion mesh whose nodes move between the key frames of a grid
// deformation (the game data's CDeformGridRecord), the nodes shaded towards a tint with their
// distance from the grid's centre. The progress map draws its drifting background with it.
//
// Each key holds its columns (a) and rows (b), its time on the run's 0..1 scale and, per column, one
// displacement per row, relative to the mesh's top-left corner. The first key gives the mesh's size.
//
// It is a scene drawable that advances its own clock by the engine's frame delta whenever it is drawn
// and enabled; its owner adds it to a scene. The texture is drawn wrapped, so a texture rectangle
// larger than the texture (or moved past its edge) tiles it.
class CDeformGrid : public GF::IDrawable, public GF::CRefCount {
public:
    static constexpr uint32_t kNoTint = 0xFFFFFFFFu;

    CDeformGrid();
    ~CDeformGrid() override;
    CDeformGrid(const CDeformGrid&) = delete;
    CDeformGrid& operator=(const CDeformGrid&) = delete;

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    // Runs the description over the duration (ms) on the named texture of the resource cache. A
    // description without keys, or with a key whose lists are shorter than the first key's size, is
    // refused (logged): false, and the grid then has no mesh and draws nothing. A first key of no
    // columns or rows leaves the grid without a mesh as well.
    bool Start(const CDeformGridRecord& description, const std::string& textureName, float durationMs);

    // Advances the clock by dt seconds and lays out the nodes; what drawing does before it renders.
    void Update(float dtSeconds);
    // Null while the grid has no mesh.
    hgeDistortionMesh* GetMesh() { return m_mesh.get(); }
    HTEXTURE GetTexture() const { return m_texture; }

    // Colour towards which the outer nodes are shaded; kNoTint shades nothing.
    uint32_t tint = kNoTint;
    GF::TPoint<float> offset{0.0f, 0.0f};  // added to the position when drawing
    GF::TPoint<float> scale{1.0f, 1.0f};   // multiplies every node displacement
    GF::TPoint<int32_t> position{0, 0};

    // --- IDrawable: visibility is the enabled flag; scene membership is the owner's business ---
    void Detach() override {}
    void Render() override;
    int32_t GetLayer() override { return m_layer; }
    GF::TRect GetBoundingBox() override { return {position.x, position.y, position.x, position.y}; }
    GF::THolder<GF::IScene> GetScene() override { return {}; }
    bool IsVisible() override { return m_enabled; }
    void SetScene(const GF::THolder<GF::IScene>&) override {}
    void SetVisible(bool visible) override { m_enabled = visible; }

private:
    // The shading of the node at (column, row); white at the centre, the tint at the corners.
    DWORD NodeColour(int column, int row, float radius) const;

    float m_duration = 0.0f;
    float m_elapsed = 0.0f;
    int32_t m_columns = 0;
    int32_t m_rows = 0;
    // A copy: a reload of the game data must not leave the grid reading a record that has gone.
    CDeformGridRecord m_description;
    bool m_enabled = true;
    int32_t m_layer = 0;
    HGE* m_hge;
    HTEXTURE m_texture = 0;
    std::unique_ptr<hgeDistortionMesh> m_mesh;
};

GF::THolder<CDeformGrid> CreateDeformGrid();
