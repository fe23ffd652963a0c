#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/gui/PublisherScreen.h"
#include "tests/gui/GuiFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

using Notes = std::vector<std::string>;

// The publisher screen shown as the program shows it, its pictures served by the recording engine.
class PublisherScreenTest : public CGuiFixture {
protected:
    PublisherScreenTest() { manager->RegisterScreenFactory("PublisherScreen", CPublisherScreen::Create); }

    CPublisherScreen* Show(const std::string& layout) {
        manager->ShowScreen("PublisherScreen", layout, {}, "");
        return static_cast<CPublisherScreen*>(manager->FindScreen("PublisherScreen").Get());
    }
    void AddPicture(const std::string& file) {
        engine.AddResource(file, std::string("picture"));
        engine.SetTextureSize(file, 200, 100);
    }
    // One frame of 250 ms: a quarter of a picture's fade per frame, so each picture takes 14 frames.
    bool Step() {
        engine.quads.clear();
        return manager->Update(250.0f);
    }
};

TEST_F(PublisherScreenTest, ThreePicturesThenStartingAnnouncedOnceAndTheScreenFinishes) {
    AddPicture("splash_2.png");
    AddPicture("splash_5.jpg");
    AddPicture("splash_6.bmp");
    CPublisherScreen* screen = Show("PublisherScreen");  // no such layout, as the program shows it
    ASSERT_NE(screen, nullptr);
    const THolder<IScreen> kept(screen);

    // Each frame draws the picture centred on 800 x 600, in grey at the level of its fade.
    std::vector<std::string> shown;
    std::vector<DWORD> greys;
    for (int frame = 1; frame <= 3 * 14; ++frame) {
        SCOPED_TRACE(frame);
        ASSERT_TRUE(Step());
        EXPECT_EQ(flow.notes.empty(), frame < 42);  // "starting" in the frame the last picture ends
        if (frame == 42) continue;
        ASSERT_EQ(engine.quads.size(), 1u);
        const hgeVertex& corner = engine.quads[0].v[0];
        const std::string& name = engine.textures[engine.quads[0].tex].name;
        if (shown.empty() || shown.back() != name) shown.push_back(name);
        greys.push_back(corner.col & 0xFF);
        EXPECT_EQ(corner.col, 0xFF000000u | greys.back() * 0x010101u);
        EXPECT_EQ(corner.x, 300.0f);
        EXPECT_EQ(corner.y, 250.0f);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"splash_2.png", "splash_5.jpg", "splash_6.bmp"}));
    // Every picture fades up to full white and down again as the first one does.
    EXPECT_EQ(*std::max_element(greys.begin(), greys.begin() + 14), 0xFFu);
    for (std::size_t i = 14; i < greys.size(); ++i) EXPECT_EQ(greys[i], greys[i - 14]) << i;
    EXPECT_EQ(screen->GetResult(), "starting");

    // Already idle, the screen started hiding in that frame too; without a layout the next frame
    // finishes it, and the result is not announced again.
    EXPECT_FALSE(Step());
    EXPECT_EQ(flow.notes, (Notes{"result starting", "finished PublisherScreen starting"}));
}

TEST_F(PublisherScreenTest, WithoutPicturesTheScreenHandsOverAtOnce) {
    const struct {
        const char* layout;
        std::vector<std::string> frames;
    } cases[] = {
        // "starting" in the first frame, "_hide" in the next, finished in the third.
        {"PublisherScreen", {"PublisherScreen(none)", "PublisherScreen(none)", "end"}},
        // With a layout, "_show" plays to its end first and the idle phase begins; the first idle
        // update starts "_hide", which plays before the screen finishes.
        {"main_menu.confirm_screen",
         {"PublisherScreen_show", "PublisherScreen_show", "PublisherScreen_show", "PublisherScreen_show",
          "PublisherScreen_idle", "PublisherScreen_hide", "PublisherScreen_hide", "PublisherScreen_hide",
          "PublisherScreen_hide", "end"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        flow.notes.clear();
        engine.quads.clear();
        CPublisherScreen* screen = Show(c.layout);
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(Run(), c.frames);
        EXPECT_EQ(flow.notes, (Notes{"result starting", "finished PublisherScreen starting"}));
        if (std::string(c.layout) == "PublisherScreen") {
            EXPECT_TRUE(engine.quads.empty());  // nothing to draw
        }
    }
}

}  // namespace
