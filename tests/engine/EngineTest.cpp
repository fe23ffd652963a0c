#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Hge.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const fs::path& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool Frame() {
    return true;
}

}  // namespace

TEST(Engine, OneReferenceCountedEngineForTheRightVersionOnly) {
    hgeInstall(nullptr);
    EXPECT_EQ(hgeCreate(0x153), nullptr);
    HGE* first = hgeCreate(HGE_VERSION);
    HGE* second = hgeCreate(HGE_VERSION);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    first->System_SetStateInt(HGE_SCREENWIDTH, 640);
    second->Release();
    EXPECT_EQ(first->System_GetStateInt(HGE_SCREENWIDTH), 640);  // still the same, still alive
    first->Release();
}

TEST(Engine, StatesReadBackWhatWasSet) {
    hgeInstall(nullptr);
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_SetStateInt(HGE_SCREENWIDTH, 1024);
    hge->System_SetStateInt(HGE_SCREENHEIGHT, 768);
    hge->System_SetStateInt(HGE_FPS, -1);
    hge->System_SetStateInt(HGE_RESERVED20, 0);
    hge->System_SetStateBool(HGE_WINDOWED, false);
    hge->System_SetStateBool(HGE_DONTSUSPEND, true);
    hge->System_SetStateBool(HGE_HIDEMOUSE, true);
    hge->System_SetStateString(HGE_TITLE, "Quindle: Marvolant");
    hge->System_SetStateString(HGE_ICON, reinterpret_cast<const char*>(107));  // a resource number
    hge->System_SetStateFunc(HGE_FRAMEFUNC, Frame);

    EXPECT_EQ(hge->System_GetStateInt(HGE_SCREENWIDTH), 1024);
    EXPECT_EQ(hge->System_GetStateInt(HGE_SCREENHEIGHT), 768);
    EXPECT_EQ(hge->System_GetStateInt(HGE_FPS), -1);
    EXPECT_EQ(hge->System_GetStateInt(HGE_SCREENBPP), 32);
    EXPECT_EQ(hge->System_GetStateInt(HGE_CLIENTWIDTH), 0);  // no window yet
    EXPECT_FALSE(hge->System_GetStateBool(HGE_WINDOWED));
    EXPECT_TRUE(hge->System_GetStateBool(HGE_DONTSUSPEND));
    EXPECT_TRUE(hge->System_GetStateBool(HGE_HIDEMOUSE));
    EXPECT_STREQ(hge->System_GetStateString(HGE_TITLE), "Quindle: Marvolant");
    EXPECT_STREQ(hge->System_GetStateString(HGE_ICON), "");
    EXPECT_EQ(hge->System_GetStateHwnd(HGE_HWND), 0u);

    // Without a window nothing draws, and asking does not crash.
    EXPECT_FALSE(hge->Gfx_BeginScene(0));
    hge->Gfx_EndScene();
    EXPECT_EQ(hge->Texture_Create(4, 4), 0u);
    int max = -1;
    EXPECT_NE(hge->Gfx_StartBatch(HGEPRIM_QUADS, 0, BLEND_DEFAULT, &max), nullptr);
    hge->Gfx_FinishBatch(max);
    EXPECT_FALSE(hge->System_Start());
    EXPECT_STRNE(hge->System_GetErrorMessage(), "");
    hge->Release();
}

TEST(Engine, LogLinesGoToTheLogFileUntilShutdown) {
    hgeInstall(nullptr);
    const fs::path path = fs::temp_directory_path() / ("engine-log-" + std::to_string(::getpid()) + ".txt");
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_SetStateString(HGE_LOGFILE, path.c_str());
    EXPECT_EQ(hge->System_GetStateString(HGE_LOGFILE), path.string());
    hge->System_Log("first %d", 1);
    hge->System_Log("%s", std::string(600, 'x').c_str());  // longer than the usual line
    hge->System_Shutdown();
    hge->System_Log("after shutdown");
    EXPECT_FALSE(hge->System_Launch("https://example.com"));
    EXPECT_FALSE(hge->System_Start());
    hge->Release();
    EXPECT_EQ(Lines(path), (std::vector<std::string>{"first 1", std::string(600, 'x')}));
    fs::remove(path);
}
