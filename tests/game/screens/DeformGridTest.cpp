#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/app/GameData.h"
#include "game/screens/DeformGrid.h"
#include "tests/game/SampleData.h"
#include "tests/support/RecordingEngine.h"

namespace {

// The engine double, with every drawn quad noted among the calls, so that the order of the wrap
// switches and the drawing shows.
class CQuadNotingEngine : public CRecordingEngine {
public:
    void Gfx_RenderQuad(const hgeQuad* quad) override {
        if (calls.empty() || calls.back() != "quads") calls.push_back("quads");
        CRecordingEngine::Gfx_RenderQuad(quad);
    }
};

// A key of columns x rows points, each (x0 + 10 column, y0 + 10 row).
CDeformGridFrame Key(int columns, int rows, float time, float x0, float y0) {
    CDeformGridFrame key;
    key.a = columns;
    key.b = rows;
    key.time = time;
    for (int k = 0; k < columns; ++k) {
        key.rows.emplace_back();
        for (int r = 0; r < rows; ++r)
            key.rows.back().emplace_back(x0 + 10.0f * static_cast<float>(k),
                                         y0 + 10.0f * static_cast<float>(r));
    }
    return key;
}

CDeformGridRecord Description(std::vector<CDeformGridFrame> keys) {
    CDeformGridRecord description;
    description.name = "test";
    description.frames = std::move(keys);
    return description;
}

}  // namespace

// Between two keys the nodes stand where the run's share puts them, the mesh drawn wrapped and the
// wrap taken off after it; a duration of 5 ms shows the last key after one longer frame.
TEST(DeformGrid, NodesFollowTheKeysAndTheTextureIsDrawnWrapped) {
    CQuadNotingEngine engine;
    const GF::THolder<CDeformGrid> grid = CreateDeformGrid();
    ASSERT_TRUE(grid->Start(Description({Key(4, 3, 0.0f, 0.0f, 0.0f), Key(4, 3, 1.0f, 100.0f, 40.0f)}),
                            "none", 1000.0f));
    ASSERT_TRUE(grid->GetMesh());
    grid->position = {5, 6};
    grid->offset = {1.0f, 2.0f};

    engine.SetDelta(0.5f);
    engine.calls.clear();
    grid->Render();
    const hgeVertex* node = grid->GetMesh()->GetVertex(3, 2);
    EXPECT_FLOAT_EQ(node->x, 30.0f + 50.0f);
    EXPECT_FLOAT_EQ(node->y, 20.0f + 20.0f);
    EXPECT_EQ(engine.calls,
              (std::vector<std::string>{"Texture_SetWrap 0 1", "quads", "Texture_SetWrap 0 0"}));
    ASSERT_EQ(engine.quads.size(), 6u);                         // 3 x 2 cells
    EXPECT_FLOAT_EQ(engine.quads.back().v[2].x, 80.0f + 6.0f);  // the node plus position and offset

    grid->scale = {0.0f, 0.0f};  // every node on the top-left corner
    grid->Render();
    EXPECT_FLOAT_EQ(grid->GetMesh()->GetVertex(3, 2)->x, 0.0f);

    grid->scale = {1.0f, 1.0f};
    grid->Start(Description({Key(4, 3, 0.0f, 0.0f, 0.0f), Key(4, 3, 1.0f, 100.0f, 40.0f)}), "none", 5.0f);
    engine.SetDelta(0.04f);
    grid->Render();
    EXPECT_FLOAT_EQ(grid->GetMesh()->GetVertex(3, 2)->x, 130.0f);
    EXPECT_FLOAT_EQ(grid->GetMesh()->GetVertex(3, 2)->y, 60.0f);
}

// With the map's tint on the sample's 16 x 16 grid the centre node stays white and the corner takes
// the tint exactly.
TEST(DeformGrid, TheMapsTintShadesTheCornersOfTheSampleGrid) {
    CRecordingEngine engine;
    const CSampleGameData sample;
    const auto found = GetGameData().deformGrids.find("map");
    ASSERT_NE(found, GetGameData().deformGrids.end());
    const GF::THolder<CDeformGrid> grid = CreateDeformGrid();
    ASSERT_TRUE(grid->Start(found->second, "map_fon", 5.0f));
    grid->tint = 0xFF775555u;
    grid->Render();
    EXPECT_EQ(grid->GetMesh()->GetVertex(8, 8)->col, 0xFFFFFFFFu);
    EXPECT_EQ(grid->GetMesh()->GetVertex(0, 0)->col, 0xFF775555u);
}

// A grid of one node has no shading radius and no cell to draw; a description without keys or with
// a key shorter than the first is refused and logged, and the grid draws nothing.
TEST(DeformGrid, ATinyGridAndShortDescriptionsDrawNothingWrong) {
    CRecordingEngine engine;
    const GF::THolder<CDeformGrid> grid = CreateDeformGrid();
    grid->tint = 0xFF775555u;
    ASSERT_TRUE(grid->Start(Description({Key(1, 1, 0.0f, 3.0f, 4.0f)}), "none", 100.0f));
    grid->Render();
    EXPECT_EQ(grid->GetMesh()->GetVertex(0, 0)->col, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(grid->GetMesh()->GetVertex(0, 0)->x, 3.0f);
    EXPECT_TRUE(engine.quads.empty());

    CDeformGridFrame shortColumn = Key(4, 3, 1.0f, 0.0f, 0.0f);
    shortColumn.rows[2].pop_back();
    CDeformGridFrame fewColumns = Key(4, 3, 0.0f, 0.0f, 0.0f);
    fewColumns.rows.pop_back();
    for (const CDeformGridRecord& description :
         {Description({}), Description({Key(4, 3, 0.0f, 0, 0), shortColumn}), Description({fewColumns})}) {
        EXPECT_FALSE(grid->Start(description, "none", 100.0f));
        EXPECT_FALSE(grid->GetMesh());
        grid->Render();
    }
    EXPECT_TRUE(engine.quads.empty());
    EXPECT_TRUE(engine.HasLog("Deform grid \"test\": no keys"));

    // A row of 50000 nodes, as a damaged data file may hold: its radius squared is beyond 32 bits.
    ASSERT_TRUE(grid->Start(Description({Key(50000, 1, 0.0f, 0.0f, 0.0f)}), "none", 100.0f));
    grid->Update(0.05f);
    EXPECT_EQ(grid->GetMesh()->GetVertex(0, 0)->col, 0xFF775555u);  // the far end takes the whole tint
    EXPECT_EQ(grid->GetMesh()->GetVertex(25000, 0)->col, 0xFFFFFFFFu);
    EXPECT_TRUE(engine.HasLog("Deform grid \"test\": a key holds fewer than 4 x 3 points"));
}
