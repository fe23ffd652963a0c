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

TEST(Engine, WithoutAWindowNothingDrawsAndAskingDoesNotCrash) {
    hgeInstall(nullptr);
    HGE* hge = hgeCreate(HGE_VERSION);
    hge->System_SetStateString(HGE_ICON, reinterpret_cast<const char*>(107));  // a resource number
    hge->System_SetStateFunc(HGE_FRAMEFUNC, Frame);
    EXPECT_STREQ(hge->System_GetStateString(HGE_ICON), "");  // never read as text
    EXPECT_EQ(hge->System_GetStateInt(HGE_CLIENTWIDTH), 0);
    EXPECT_EQ(hge->System_GetStateHwnd(HGE_HWND), 0u);
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
