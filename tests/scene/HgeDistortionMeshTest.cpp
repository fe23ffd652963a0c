#include <gtest/gtest.h>

#include <cmath>

#include "framework/scene/HgeDistortionMesh.h"
#include "tests/support/RecordingEngine.h"

TEST(HgeDistortionMesh, TwoByTwoIsOneQuadOverTheTextureRectangle) {
    CRecordingEngine engine;
    const HTEXTURE tex = engine.Texture_Create(64, 32);
    hgeDistortionMesh mesh(2, 2);
    mesh.SetTexture(tex);
    mesh.SetTextureRect(16, 8, 32, 16);
    mesh.Render(100, 200);

    ASSERT_EQ(engine.quads.size(), 1u);
    const hgeQuad& q = engine.quads[0];
    EXPECT_EQ(q.tex, tex);
    EXPECT_EQ(q.blend, 6);
    const float want[4][4] = {{100, 200, 0.25f, 0.25f},
                              {132, 200, 0.75f, 0.25f},
                              {132, 216, 0.75f, 0.75f},
                              {100, 216, 0.25f, 0.75f}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(q.v[i].x, want[i][0]) << i;
        EXPECT_FLOAT_EQ(q.v[i].y, want[i][1]) << i;
        EXPECT_FLOAT_EQ(q.v[i].tx, want[i][2]) << i;
        EXPECT_FLOAT_EQ(q.v[i].ty, want[i][3]) << i;
        EXPECT_EQ(q.v[i].col, 0xFFFFFFFF);
        EXPECT_FLOAT_EQ(q.v[i].z, 0.5f);
    }
}

TEST(HgeDistortionMesh, DisplacementsMoveNodesByTheirReference) {
    CRecordingEngine engine;
    hgeDistortionMesh mesh(3, 3);  // cells of 50 x 20
    mesh.SetTextureRect(0, 0, 100, 40);

    struct Case {
        int col, row;
        float dx, dy;
        int ref;
        float x, y;
    };
    const Case cases[] = {
        {1, 1, 5, -3, hgeDistortionMesh::HGEDISP_NODE, 55, 17},
        {2, 0, 7, 9, hgeDistortionMesh::HGEDISP_TOPLEFT, 7, 9},
        {0, 2, 0, 0, hgeDistortionMesh::HGEDISP_CENTER, 50, 20},
        {2, 2, -10, 4, hgeDistortionMesh::HGEDISP_CENTER, 40, 24},
    };
    for (const Case& c : cases) mesh.SetDisplacement(c.col, c.row, c.dx, c.dy, c.ref);
    mesh.SetColor(1, 1, 0x80FF0000);
    // Out of the grid: ignored, nothing else moves.
    mesh.SetDisplacement(3, 0, 1, 1, 1);
    mesh.SetDisplacement(0, -1, 1, 1, 1);
    mesh.SetColor(0, 3, 0);

    mesh.Render(10, 1000);
    ASSERT_EQ(engine.quads.size(), 4u);
    // Each node seen in the drawn quads: quad (row j, column i) holds nodes (i, j), (i + 1, j),
    // (i + 1, j + 1), (i, j + 1).
    auto drawn = [&](int col, int row) -> const hgeVertex& {
        const int i = col < 2 ? col : 1, j = row < 2 ? row : 1;
        const int corner = (col - i) + 2 * (row - j);  // 0 tl, 1 tr, 2 bl, 3 br
        static const int slot[4] = {0, 1, 3, 2};
        return engine.quads[j * 2 + i].v[slot[corner]];
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(drawn(c.col, c.row).x, c.x + 10) << c.col << "," << c.row;
        EXPECT_FLOAT_EQ(drawn(c.col, c.row).y, c.y + 1000) << c.col << "," << c.row;
    }
    EXPECT_EQ(drawn(1, 1).col, 0x80FF0000u);
    EXPECT_FLOAT_EQ(drawn(0, 0).x, 10);
    EXPECT_FLOAT_EQ(drawn(1, 0).x, 60);
    EXPECT_FLOAT_EQ(drawn(0, 1).y, 1020);
    EXPECT_EQ(engine.quads[3].v[2].col, 0xFFFFFFFFu);

    // Clear puts every node back on the grid with the new colour and depth.
    mesh.Clear(0x11223344, 0.25f);
    engine.quads.clear();
    mesh.Render(0, 0);
    EXPECT_FLOAT_EQ(engine.quads[3].v[0].x, 50);
    EXPECT_FLOAT_EQ(engine.quads[3].v[0].y, 20);
    EXPECT_FLOAT_EQ(engine.quads[3].v[2].x, 100);
    EXPECT_EQ(engine.quads[3].v[0].col, 0x11223344u);
    EXPECT_FLOAT_EQ(engine.quads[3].v[0].z, 0.25f);
    EXPECT_FLOAT_EQ(engine.quads[3].v[2].tx, 1.0f);  // texture coordinates untouched
}

TEST(HgeDistortionMesh, OneRowOrOneColumnHasNoCellsAndStaysFinite) {
    CRecordingEngine engine;
    const int shapes[][2] = {{1, 4}, {4, 1}, {1, 1}, {0, 3}, {-2, 5}};
    for (const auto& shape : shapes) {
        hgeDistortionMesh mesh(shape[0], shape[1]);
        mesh.SetTextureRect(0, 0, 100, 40);
        mesh.SetDisplacement(0, 0, 1, 2, hgeDistortionMesh::HGEDISP_CENTER);
        mesh.Clear();
        mesh.Render(0, 0);
        for (int j = 0; j < shape[1]; ++j) {
            for (int i = 0; i < shape[0]; ++i) {
                const hgeVertex* v = mesh.GetVertex(i, j);
                ASSERT_NE(v, nullptr);
                EXPECT_TRUE(std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->tx) &&
                            std::isfinite(v->ty))
                    << shape[0] << "x" << shape[1] << " node " << i << "," << j;
            }
        }
    }
    EXPECT_TRUE(engine.quads.empty());
}
