#include <gtest/gtest.h>

#include <algorithm>

#include "framework/resources/Resource.h"
#include "framework/resources/ResourceCache.h"
#include "framework/resources/TextTable.h"
#include "framework/scene/HgeSprite.h"
#include "tests/support/FontWriter.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/ResourceBuilder.h"
#include "tests/support/TextTableWriter.h"

namespace {

using namespace GF;
using namespace GF::HGENS;

// A fresh manager over the recording engine; the process-wide texture cache is dropped afterwards.
class Resource : public testing::Test {
protected:
    void TearDown() override { GetResourceCache()->Clear(); }

    CRecordingEngine engine;
    THolder<CResource> resource = MakeHolder<CResource>();
    CResourceBuilder build{*resource};
};

TEST_F(Resource, DottedAndBareNamesFindDescriptionsAcrossModules) {
    build.Module("interfaces");
    auto nolla = build.Animation("nolla_text");
    auto interfacesDoor = build.Animation("door");
    auto nested = build.Animation("b.c");
    build.Module("kitchen");
    auto kitchenDoor = build.Animation("door");

    struct Case {
        const char* path;
        CAnimationData* found;
    } cases[] = {
        {"interfaces.nolla_text", nolla.Get()},
        {"nolla_text", nolla.Get()},          // a bare name: whichever module holds it
        {"kitchen.door", kitchenDoor.Get()},  // a name in two modules, each by its module
        {"interfaces.door", interfacesDoor.Get()},
        {"door", interfacesDoor.Get()},    // bare: the first module entered wins
        {"interfaces.b.c", nested.Get()},  // everything after the first dot is the name
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resource->GetAnimationDataByPath(c.path).Get(), c.found) << c.path;
    }
    EXPECT_EQ(resource->GetAnimationData("", "door").Get(), interfacesDoor.Get());
    EXPECT_STREQ(nolla->GetName(), "nolla_text");
    EXPECT_TRUE(engine.log.empty());
}

TEST_F(Resource, MissingModulesAndNamesAreLoggedOnce) {
    build.Module("kitchen");
    build.Animation("door");
    struct Case {
        const char* path;
        const char* line;
    } cases[] = {
        {"cellar.door", "Module \"cellar\" not found"},  // only the module line
        {"kitchen.window", "AnimatioData \"window\" not found"},
        {"window", "AnimatioData \"window\" not found"},
        {"kitchen.b.c", "AnimatioData \"b.c\" not found"},
    };
    for (const Case& c : cases) {
        engine.ClearRecord();
        EXPECT_FALSE(resource->GetAnimationDataByPath(c.path)) << c.path;
        EXPECT_EQ(engine.log, std::vector<std::string>{c.line}) << c.path;
    }
}

TEST_F(Resource, ModulesKeepTheirPlaceDescriptionsOfOneNameAreReplacedAndListsEndEmpty) {
    build.Module("menu");
    auto first = build.Animation("title");
    build.Module("game");
    build.Module("menu");  // an existing module: later descriptions join it
    build.Animation("options");
    auto second = build.Animation("title");

    EXPECT_EQ(resource->GetModuleNames(), (std::vector<std::string>{"menu", "game"}));
    EXPECT_EQ(resource->GetAnimationDataNames("menu"), (std::vector<std::string>{"title", "options"}));
    EXPECT_EQ(resource->GetAnimationDataByPath("menu.title").Get(), second.Get());
    EXPECT_EQ(first->GetRefCount(), 1);  // only the test still holds the replaced one
    EXPECT_EQ(resource->GetModuleName(1), "game");
    EXPECT_EQ(resource->GetModuleName(2), "");
    EXPECT_EQ(resource->GetModuleName(-1), "");
    EXPECT_EQ(resource->GetAnimationDataCount("game"), 0);
    EXPECT_EQ(resource->GetAnimationDataName("menu", 1), "options");
    EXPECT_EQ(resource->GetAnimationDataName("menu", 2), "");
    EXPECT_TRUE(resource->GetAnimationDataNames("cellar").empty());
    EXPECT_TRUE(engine.log.empty());  // the list of an absent module says nothing

    EXPECT_EQ(resource->GetAnimationDataCount("cellar"), 0);
    EXPECT_EQ(resource->GetAnimationDataName("cellar", 0), "");
    EXPECT_FALSE(resource->CreateAnimationData("cellar", "rat"));
    EXPECT_EQ(engine.log, std::vector<std::string>(3, "Module \"cellar\" not found"));
}

TEST_F(Resource, DescriptionsAndTheirSharedTracksComeBackFromTheTables) {
    build.Module("kitchen");
    build.Animation("stove");
    build.Part("_work", 0, 600, -1);
    auto flame = build.Sprite("flame");
    auto clip = build.Clipping();
    auto hiss = build.Sound("hiss");
    AddKeys(flame->GetOffset(), {{{10, 20}, 1, 100}, {{30, 20}, 0, 500}});
    AddKeys(flame->GetParamModifiers(), {{1, 1, 2, -0.5f, 0.5f, 0.5f, 1.5f}});
    AddKeys(flame->GetCommandSubstAnimations(), {{250, "steam.puff"}});
    AddKeys(hiss->GetActionSound(), {{1, 0, 0}, {4, 0, 500}});

    THolder<IAnimationData> stove = resource->GetAnimationDataByPath("kitchen.stove");
    ASSERT_TRUE(stove);
    ASSERT_EQ(stove->GetObjectDataCount(), 3);
    EXPECT_EQ(stove->GetObjectData(0)->GetName(), "flame");
    EXPECT_EQ(stove->GetObjectData(1)->GetName(), "");
    EXPECT_EQ(stove->GetObjectData(2)->GetName(), "hiss");
    EXPECT_EQ(stove->GetNamedPart("_work")->GetPlayMode(), -1);

    auto drawable = HolderCast<IDrawableObjectData>(stove->GetObjectData(0));
    THolder<TOffsetList> offsets = drawable->GetOffset();
    EXPECT_EQ(offsets.Get(), flame->GetOffset().Get());
    ASSERT_EQ(offsets->size(), 2u);
    EXPECT_EQ((*offsets)[1].value, TPoint<float>(30, 20));
    EXPECT_EQ((*offsets)[1].duration, 500.0f);
    EXPECT_EQ((*drawable->GetParamModifiers())[0].count, 2);
    EXPECT_EQ((*drawable->GetCommandSubstAnimations())[0].name, "steam.puff");
    EXPECT_EQ(HolderCast<ISoundObjectData>(stove->GetObjectData(2))->GetActionSound()->size(), 2u);
    EXPECT_EQ(clip.Get(), static_cast<CClippingObjectData*>(stove->GetObjectData(1).Get()));
}

TEST_F(Resource, FontsLoadOnFirstUseAndFailedLoadsAreTriedAgain) {
    TFontFile file;
    file.pageCount = 0;
    engine.AddResource("Font\\1.fnt", WriteFontFile(file));
    EXPECT_EQ(build.Font("small"), 0);
    EXPECT_EQ(build.Font("large"), 1);

    THolder<IFont> large = resource->GetFontByName("large");
    ASSERT_TRUE(large);
    EXPECT_EQ(resource->GetFont(1).Get(), large.Get());

    EXPECT_FALSE(resource->GetFont(7));
    EXPECT_FALSE(resource->GetFont(7));
    EXPECT_EQ(std::count(engine.log.begin(), engine.log.end(), "Can't find font 7"), 2);

    EXPECT_FALSE(resource->GetFontByName("huge"));
    EXPECT_TRUE(engine.HasLog("Can't find font huge"));
    engine.ClearRecord();
    EXPECT_FALSE(resource->GetFont(-1));
    EXPECT_TRUE(engine.log.empty());
}

TEST_F(Resource, AFontNumberFromTheDataIsBoundedBeforeTheCacheGrows) {
    build.TextInfo("title", 2000000000, 0, 0, 0, 0);
    const int wild = resource->GetTextDescription(0)->GetFontNumber();
    EXPECT_FALSE(resource->GetFont(wild));
    EXPECT_FALSE(resource->GetFont(CResource::kMaxFontNumber + 1));
    EXPECT_TRUE(engine.HasLog("Can't find font 2000000000"));
    EXPECT_FALSE(resource->GetFont(CResource::kMaxFontNumber));
}

TEST_F(Resource, EverySpriteIsNewButItsTextureIsLoadedOnce) {
    THolder<CResourceCache> cache = GetResourceCache();
    cache->RegisterTexture(MakeHolder<CTexture>("plates", "Texture\\0"));
    engine.AddResource("Texture\\0.png", "png");
    build.SpriteInfo("cup", 0, 8, 16, 64, 32);
    build.SpriteInfo("plate", 0, 0, 0, 32, 32);

    THolder<IImage> a = resource->CreateSprite(0);
    THolder<IImage> b = resource->CreateSpriteByName("cup");
    ASSERT_TRUE(a);
    ASSERT_TRUE(b);
    EXPECT_NE(a->GetSprite().Get(), b->GetSprite().Get());
    EXPECT_EQ(a->GetSprite()->quad.tex, b->GetSprite()->quad.tex);
    EXPECT_NE(a->GetSprite()->quad.tex, 0u);
    EXPECT_EQ(engine.CountCalls("Texture_Load"), 1);
    EXPECT_EQ(a->GetWidth(), 64.0f);
    EXPECT_EQ(a->GetHeight(), 32.0f);
    EXPECT_EQ(a->GetSprite()->tx, 8.0f);
    EXPECT_EQ(a->GetSprite()->ty, 16.0f);
    EXPECT_EQ(resource->CreateSpriteByName("plate")->GetWidth(), 32.0f);

    for (int number : {-1, 2}) EXPECT_FALSE(resource->CreateSprite(number)) << number;
    EXPECT_FALSE(resource->CreateSpriteByName("bowl"));
    EXPECT_FALSE(resource->GetSpriteInfo(2));
    EXPECT_EQ(resource->GetSpriteInfo(1)->name, "plate");
}

TEST_F(Resource, SoundsByNameFallBackToTheirNumber) {
    engine.AddResource("Sound\\theme.ogg", "ogg");
    engine.AddResource("Sound\\2", "wav");
    build.SoundName("click");
    build.SoundName("ding");
    build.SoundName("sizzle");

    THolder<ISnd> theme = resource->LoadSound("theme");
    EXPECT_NE(theme->GetHandle(), 0u);
    EXPECT_TRUE(engine.HasCall("Stream_Load Sound/theme.ogg"));

    THolder<ISnd> sizzle = resource->LoadSound("sizzle");  // no .ogg: the third name is sound 2
    EXPECT_NE(sizzle->GetHandle(), 0u);
    EXPECT_TRUE(engine.HasCall("Stream_Load Sound/2"));
    EXPECT_TRUE(engine.log.empty());

    THolder<ISnd> missing = resource->LoadSound("whistle");  // not a name: the number past the table
    EXPECT_EQ(missing->GetHandle(), 0u);
    EXPECT_EQ(engine.log, std::vector<std::string>{"[W] SOUND Sound\\3 NOT FOUND"});

    engine.ClearRecord();
    EXPECT_EQ(resource->GetSound(-1)->GetHandle(), 0u);
    EXPECT_TRUE(engine.log.empty());

    const HSTREAM handle = sizzle->GetHandle();
    sizzle.Reset();
    EXPECT_TRUE(engine.HasCall("Stream_Free " + std::to_string(handle)));
    missing.Reset();
    EXPECT_EQ(engine.CountCalls("Stream_Free"), 1);  // a sound without a stream frees nothing
}

TEST_F(Resource, LoadRunsTheScriptLoaderThenLoadsTheTextTable) {
    static bool textsWhileTheScriptRan = true;
    CResource::TScriptLoader saved = CResource::ScriptLoader();
    CResource::ScriptLoader() = [](CResource& filled) {
        filled.CreateModule("interfaces");
        filled.CreateAnimationData("interfaces", "cursor");
        filled.AddTextInfo("caption", 1, 2, 3, 0x12, 0);
        textsWhileTheScriptRan = !CTextTable::Instance().Find("item_play")->empty();
    };
    engine.AddResource("Binary\\textdata.txt", WriteTextTable({{"item_play", u"Play"}}));
    EXPECT_TRUE(resource->Load());
    CResource::ScriptLoader() = saved;

    EXPECT_FALSE(textsWhileTheScriptRan);
    EXPECT_TRUE(resource->GetAnimationDataByPath("interfaces.cursor"));
    EXPECT_EQ(*resource->GetText("item_play"), u"Play");
    EXPECT_EQ(*resource->GetText("item_quit"), u"");
    ASSERT_TRUE(resource->GetTextDescription(0));
    EXPECT_EQ(resource->GetTextDescription(0)->GetText(), u"Play");
    for (int number : {-1, 1}) EXPECT_FALSE(resource->GetTextDescription(number)) << number;

    engine.AddResource("Binary\\textdata.txt", std::vector<unsigned char>{});
    CTextTable::Instance().Load();  // leave the process-wide table empty for the other tests
}

TEST_F(Resource, ClearReleasesFontsSpritesAndTexturesAndTheNextManagerIsNew) {
    THolder<CResource> shared = GetResource();
    EXPECT_EQ(GetResource().Get(), shared.Get());
    CResourceBuilder fill(*shared);
    fill.Module("menu");
    fill.Animation("title");
    fill.SpriteInfo("cup", 0, 0, 0, 8, 8);
    TFontFile file;
    file.pageCount = 0;
    engine.AddResource("Font\\0.fnt", WriteFontFile(file));
    THolder<IFont> font = shared->GetFont(0);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->GetRefCount(), 2);

    shared->Clear();
    EXPECT_TRUE(engine.HasLog("-------------------------------Texture--------------------------"));
    EXPECT_EQ(font->GetRefCount(), 1);
    EXPECT_EQ(shared->GetSpriteInfoCount(), 0);
    EXPECT_TRUE(shared->GetAnimationDataByPath("menu.title"));  // modules stay with the old manager
    EXPECT_EQ(shared->GetRefCount(), 1);
    THolder<CResource> next = GetResource();
    EXPECT_NE(next.Get(), shared.Get());
    EXPECT_EQ(next->GetModuleCount(), 0);
    next->Clear();
}

}  // namespace
