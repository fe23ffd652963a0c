#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "framework/resources/Resource.h"
#include "framework/resources/ResourceCache.h"
#include "framework/resources/ResourceReader.h"
#include "framework/resources/ScriptEngine.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/TempFolder.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

std::string Script(const std::string& body) {
    return "void FillResource(CResourceReader@ r)\n{\n" + body + "}\n";
}

template <class List>
std::vector<float> Durations(const THolder<List>& list) {
    std::vector<float> result;
    for (const auto& key : *list) result.push_back(key.duration);
    return result;
}

// Runs real scripts through the script library into a fresh resource manager.
class ResourceReaderTest : public ::testing::Test {
protected:
    void SetUp() override { GetResourceCache()->Clear(); }
    void TearDown() override { GetResourceCache()->Clear(); }

    THolder<CResource> Run(const std::string& source) {
        engine.AddResource(CResourceReader::kSourceName, source);
        THolder<CResource> resource(new CResource);
        THolder<CResourceReader> reader(new CResourceReader(resource.Get()));
        if (reader->BuildModule()) reader->RunFillResource();
        return resource;
    }

    template <class T>
    static THolder<T> Object(CResource& resource, const std::string& path, int index) {
        THolder<IAnimationData> animation = resource.GetAnimationDataByPath(path);
        if (!animation || index >= animation->GetObjectDataCount()) return {};
        return THolder<T>(dynamic_cast<T*>(animation->GetObjectData(index).Get()));
    }

    CRecordingEngine engine;
    CTempFolder data;
    CScopedEnv dataFolder{"QUINDLE_DATA_DIR", data.Path()};
};

TEST_F(ResourceReaderTest, SmallScriptFillsEveryTable) {
    engine.AddResource("Texture\\0.png", "png");
    engine.AddResource("Texture\\1.png", "png");
    auto resource = Run(Script(R"(
        r.AddTexture("atlas");
        r.AddTexture("cursor");
        r.AddHGESpriteInfo("button", 1, 0, 0, 64, 32);
        r.AddFont("main");
        r.AddSoundInfo("click");
        r.AddTextInfo("title", 3, 2, 5, 0x21, 7);
        r.AddTextFile("ignored");
        r.CreateModule("menu");
        r.CreateAnimationData("start");
        r.AddNamedPart("_show", 0, 500, 1);
        r.CreateSpriteObjectData("button");
        r.AddSpriteIDResource(0, 500);
        r.AddOffset(10, 20, 1, 500);
        r.AddLayer(3, 0);
        r.AddFlip(1, 0);
        r.AddHotspot(50, 25, 0, 0);
        r.AddBlendMode(2, 0);
        r.AddSkew(1, 2, 3, 4);
        r.AddSubstAnimation("menu", "glow");
        r.AddCommandSubstAnimation("glow", 250);
        r.CreateTextSpriteObjectData("caption");
        r.AddTextSpriteIDResource(0, 0);
        r.CreateSoundObjectData("tick");
        r.AddSndIDResource(0, 0);
        r.AddActionSound(1, 100);
        r.AddParamSound(3, 4, 100);
        r.CreateParticleSystem("sparks");
        r.AddParticleID(2, 0);
        r.AddParticleIDSprite(0, 0);
        r.AddParticleCommand(1, 0);
        r.CreateClippingObjectData("window");
        r.AddOffset(5, 6, 0, 0);
)"));
    EXPECT_TRUE(engine.log.empty()) << engine.log.front();

    THolder<CHGESpriteInfo> info = resource->GetSpriteInfo(0);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->name, "button");
    EXPECT_EQ(info->textureNumber, 1);
    EXPECT_EQ(info->width, 64.0f);
    EXPECT_EQ(info->height, 32.0f);

    THolder<ITextDescrition> text = resource->GetTextDescription(0);
    ASSERT_TRUE(text);
    EXPECT_STREQ(text->GetName(), "title");
    EXPECT_EQ(text->GetFontNumber(), 3);
    EXPECT_EQ(text->GetFontTracking(), 2);
    EXPECT_EQ(text->GetFontLineSpacing(), 5);
    EXPECT_EQ(text->GetHorizontalAlign(), 1);
    EXPECT_EQ(text->GetVerticalAlign(), 0x20);

    // The sprite's texture joined the module's group; the textures are "Texture\\<n>" in order.
    THolder<CResourceCache> cache = GetResourceCache();
    EXPECT_EQ(cache->GetTextureCount(), 2);
    cache->PreloadGroup("menu");
    EXPECT_TRUE(engine.HasCall("Texture_Load Texture/1.png"));
    EXPECT_FALSE(engine.HasCall("Texture_Load Texture/0.png"));

    THolder<IAnimationData> start = resource->GetAnimationData("menu", "start");
    ASSERT_TRUE(start);
    ASSERT_EQ(start->GetObjectDataCount(), 5);
    THolder<INamedPart> show = start->GetNamedPart("_show");
    ASSERT_TRUE(show);
    EXPECT_EQ(show->GetEnd(), 500.0f);
    EXPECT_EQ(show->GetPlayMode(), 1);

    auto button = Object<CSpriteObjectData>(*resource, "menu.start", 0);
    ASSERT_TRUE(button);
    EXPECT_EQ(button->GetName(), "button");
    EXPECT_EQ((*button->GetIDResource())[0].value, 0);
    EXPECT_EQ((*button->GetOffset())[0].value, (TPoint<float>(10, 20)));
    EXPECT_EQ((*button->GetOffset())[0].mode, 1);
    EXPECT_EQ((*button->GetOffset())[0].duration, 500.0f);
    EXPECT_EQ((*button->GetLayer())[0].value, 3);
    EXPECT_EQ((*button->GetFlip())[0].value, 1);
    EXPECT_EQ((*button->GetHotspot())[0].value, (TPoint<float>(50, 25)));
    EXPECT_EQ((*button->GetBlend())[0].value, 2);
    ASSERT_EQ(button->GetSubstAnimationCount(), 1);
    EXPECT_EQ(button->GetSubstAnimation(0)->GetSecondName(), "glow");
    ASSERT_EQ(button->GetCommandSubstAnimations()->size(), 1u);
    EXPECT_EQ((*button->GetCommandSubstAnimations())[0].time, 250.0f);

    auto caption = Object<CTextSpriteObjectData>(*resource, "menu.start", 1);
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->GetIDResource()->size(), 1u);

    auto tick = Object<CSoundObjectData>(*resource, "menu.start", 2);
    ASSERT_TRUE(tick);
    EXPECT_EQ(tick->GetName(), "tick");
    EXPECT_EQ((*tick->GetActionSound())[0].value, 1);
    EXPECT_EQ((*tick->GetParamSound())[0].value, (TPoint<int>(3, 4)));

    auto sparks = Object<CParticleObjectData>(*resource, "menu.start", 3);
    ASSERT_TRUE(sparks);
    EXPECT_EQ(sparks->GetName(), "");
    EXPECT_EQ((*sparks->GetIDResource())[0].value, 2);
    EXPECT_EQ(sparks->GetSpriteIDResource()->size(), 1u);
    EXPECT_EQ((*sparks->GetParticleCommand())[0].value, 1);

    auto window = Object<CClippingObjectData>(*resource, "menu.start", 4);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->GetName(), "");
    EXPECT_EQ((*window->GetOffset())[0].value, (TPoint<float>(5, 6)));

    // The font and sound tables: the names give their numbers.
    resource->GetFontByName("main");
    EXPECT_TRUE(engine.HasLog("Can't find font 0"));
    resource->LoadSound("click");
    EXPECT_TRUE(engine.HasLog("[W] SOUND Sound\\0 NOT FOUND"));
}

TEST_F(ResourceReaderTest, ConvertsScriptUnitsToTrackUnits) {
    auto resource = Run(Script(R"(
        r.CreateModule("m");
        r.CreateAnimationData("a");
        r.CreateSpriteObjectData("s");
        r.AddColor(255, 255, 0, 0, 0, 500);
        r.AddColor(128, 0, 255, 0, 1, 10);
        r.AddColor(255, 255, 255, 255, 0, 0);
        r.AddZoom(50, 200, 1, 1000);
        r.AddRotate(90.0, 0, 0);
        r.AddRotate(-45.5, 1, 0);
        r.AddOpaque(51, 0, 0);
        r.AddParamModifier(1, 1, 2, 90.0, -90.0, 500.0, 1500.0);
        r.AddParamModifier(2, 1, 3, 90.0, -90.0, 0.0, 20.0);
        r.AddParamModifier(0, 1, 3, 1.0, 1.0, 1.0, 1.0);
)"));
    auto sprite = Object<CSpriteObjectData>(*resource, "m.a", 0);
    ASSERT_TRUE(sprite);

    struct ColorCase {
        float r, g, b, a;
        int mode;
        float duration;
    };
    const ColorCase colors[] = {
        {1.0f, 0.0f, 0.0f, 1.0f, 0, 500.0f},
        {0.0f, 1.0f, 0.0f, 128 / 255.0f, 1, 10.0f},  // alpha 128 and above packs without overflow
        {1.0f, 1.0f, 1.0f, 1.0f, 0, 0.0f},
    };
    auto color = sprite->GetColor();
    ASSERT_EQ(color->size(), std::size(colors));
    for (size_t i = 0; i < std::size(colors); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ((*color)[i].value.r, colors[i].r);
        EXPECT_EQ((*color)[i].value.g, colors[i].g);
        EXPECT_EQ((*color)[i].value.b, colors[i].b);
        EXPECT_EQ((*color)[i].value.a, colors[i].a);
        EXPECT_EQ((*color)[i].mode, colors[i].mode);
        EXPECT_EQ((*color)[i].duration, colors[i].duration);
    }

    ASSERT_EQ(sprite->GetScale()->size(), 1u);
    EXPECT_EQ((*sprite->GetScale())[0].value, (TPoint<float>(0.5f, 2.0f)));
    EXPECT_EQ((*sprite->GetScale())[0].duration, 1000.0f);

    ASSERT_EQ(sprite->GetRotate()->size(), 2u);
    EXPECT_EQ((*sprite->GetRotate())[0].value, 1.5707963705062866f);
    EXPECT_EQ((*sprite->GetRotate())[1].value, static_cast<float>(-45.5 / 180.0 * 3.1415927410125732));

    ASSERT_EQ(sprite->GetOpaque()->size(), 1u);
    EXPECT_EQ((*sprite->GetOpaque())[0].value, 0.2f);

    auto modifiers = sprite->GetParamModifiers();
    ASSERT_EQ(modifiers->size(), 2u);  // id 0 adds nothing
    const CParamModifierData& rotation = (*modifiers)[0];
    EXPECT_EQ(rotation.id, 1);
    EXPECT_EQ(rotation.waveform, 1);
    EXPECT_EQ(rotation.count, 2);
    EXPECT_EQ(rotation.min, 1.5707963705062866f);
    EXPECT_EQ(rotation.max, -1.5707963705062866f);
    EXPECT_EQ(rotation.fPeriodMin, 0.5f);
    EXPECT_EQ(rotation.fPeriodMax, 1.5f);
    const CParamModifierData& other = (*modifiers)[1];
    EXPECT_EQ(other.min, 90.0f);
    EXPECT_EQ(other.max, -90.0f);
    EXPECT_EQ(other.fPeriodMin, 0.0f);
    EXPECT_EQ(other.fPeriodMax, 0.02f);
}

TEST_F(ResourceReaderTest, HeldKeysRepeatingTheLastValueFoldIntoTheKeyBefore) {
    using Reader = std::function<std::vector<float>(CDrawableObjectData&)>;
    const Reader opaque = [](CDrawableObjectData& d) { return Durations(d.GetOpaque()); };
    struct Case {
        const char* keys;
        Reader track;
        std::vector<float> durations;
    };
    const Case cases[] = {
        {"r.AddOpaque(255, 0, 100); r.AddOpaque(255, 0, 200); r.AddOpaque(255, 0, 300);", opaque, {300, 300}},
        {"r.AddOpaque(255, 0, 100); r.AddOpaque(255, 0, 200);", opaque, {100, 200}},  // two keys never fold
        {"r.AddOpaque(0, 0, 100); r.AddOpaque(255, 0, 100); r.AddOpaque(255, 1, 100);",
         opaque,
         {100, 100, 100}},
        {"r.AddOpaque(0, 0, 100); r.AddOpaque(255, 0, 100); r.AddOpaque(0, 0, 100);",
         opaque,
         {100, 100, 100}},
        {"r.AddColor(255, 1, 2, 3, 0, 10); r.AddColor(255, 1, 2, 3, 0, 20); r.AddColor(255, 1, 2, 3, 0, 30); "
         "r.AddColor(255, 1, 2, 4, 0, 40);",
         [](CDrawableObjectData& d) { return Durations(d.GetColor()); },
         {30, 30, 40}},
        {"r.AddOffset(1, 2, 0, 10); r.AddOffset(1, 2, 0, 10); r.AddOffset(1, 2, 0, 10); r.AddOffset(2, 2, 0, "
         "10);",
         [](CDrawableObjectData& d) { return Durations(d.GetOffset()); },
         {20, 10, 10}},
        {"r.AddRotate(10.0, 0, 5); r.AddRotate(10.0, 0, 5); r.AddRotate(10.0, 0, 5);",
         [](CDrawableObjectData& d) { return Durations(d.GetRotate()); },
         {10, 5}},
        {"r.AddZoom(100, 100, 0, 5); r.AddZoom(100, 100, 0, 5); r.AddZoom(100, 100, 0, 5);",
         [](CDrawableObjectData& d) { return Durations(d.GetScale()); },
         {10, 5}},
        {"r.AddBlendMode(1, 5); r.AddBlendMode(1, 5); r.AddBlendMode(1, 5);",
         [](CDrawableObjectData& d) { return Durations(d.GetBlend()); },
         {10, 5}},
        {"r.AddFlip(1, 5); r.AddFlip(1, 5); r.AddFlip(1, 5);",  // flips are never folded
         [](CDrawableObjectData& d) { return Durations(d.GetFlip()); },
         {5, 5, 5}},
    };
    std::string body = "r.CreateModule(\"m\"); r.CreateAnimationData(\"a\");\n";
    for (const Case& c : cases) body += std::string("r.CreateSpriteObjectData(\"s\"); ") + c.keys + "\n";
    auto resource = Run(Script(body));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].keys);
        auto sprite = Object<CSpriteObjectData>(*resource, "m.a", static_cast<int>(i));
        ASSERT_TRUE(sprite);
        EXPECT_EQ(cases[i].track(*sprite), cases[i].durations);
    }
}

TEST_F(ResourceReaderTest, CallsReachTheDescriptionTheScriptMadeLast) {
    engine.AddResource("Texture\\0.png", "png");
    auto resource = Run(Script(R"(
        r.AddHGESpriteInfo("pic", 0, 0, 0, 8, 8);
        r.CreateModule("a");
        r.CreateAnimationData("x");
        r.CreateModule("b");
        r.CreateAnimationData("only_b");
        r.CreateModule("a");
        r.CreateAnimationData("y");
        r.CreateSpriteObjectData("first");
        r.CreateAnimationData("y");
        r.CreateSpriteObjectData("second");
        r.CreateSpriteObjectData("third");
        r.AddSpriteIDResource(5, 0);
        r.CreateClippingObjectData("clip");
        r.AddLayer(1, 0);
        r.AddHotspot(1, 1, 0, 0);
        r.AddZoom(200, 200, 0, 0);
        r.AddParamModifier(2, 1, 1, 0.0, 1.0, 1.0, 1.0);
        r.CreateModule("c");
        r.AddLayer(2, 0);
        r.CreateAnimationData("p");
        r.CreateParticleSystem("sparks");
        r.AddBlendMode(3, 0);
        r.AddOffset(4, 4, 0, 0);
        r.AddOpaque(255, 0, 0);
        r.AddParamModifier(3, 1, 1, 0.0, 1.0, 1.0, 1.0);
        r.AddFont("f0"); r.AddFont("f1"); r.AddFont("f2"); r.AddFont("f3"); r.AddFont("f4");
)"));
    EXPECT_TRUE(engine.log.empty()) << engine.log.front();

    // A module named again is kept: later descriptions join it.
    EXPECT_EQ(resource->GetAnimationDataNames("a"), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(resource->GetModuleCount(), 3);
    // A description named again in its module replaces the earlier one.
    THolder<IAnimationData> y = resource->GetAnimationData("a", "y");
    ASSERT_EQ(y->GetObjectDataCount(), 3);
    EXPECT_EQ(Object<CSpriteObjectData>(*resource, "a.y", 0)->GetName(), "second");

    // An id past the sprite infos still gives its key, but registers no texture.
    auto third = Object<CSpriteObjectData>(*resource, "a.y", 1);
    EXPECT_EQ(third->GetIDResource()->size(), 1u);

    // Clippings take layer, hotspot, zoom and modifiers; a module change keeps the current object.
    auto clip = Object<CClippingObjectData>(*resource, "a.y", 2);
    ASSERT_TRUE(clip);
    EXPECT_EQ(Durations(clip->GetLayer()).size(), 2u);
    EXPECT_EQ((*clip->GetLayer())[1].value, 2);
    EXPECT_EQ(clip->GetHotspot()->size(), 1u);
    EXPECT_EQ((*clip->GetScale())[0].value, (TPoint<float>(2.0f, 2.0f)));
    EXPECT_EQ(clip->GetParamModifiers()->size(), 1u);

    // Particles take blend, offset, opaque and modifiers.
    auto sparks = Object<CParticleObjectData>(*resource, "c.p", 0);
    ASSERT_TRUE(sparks);
    EXPECT_EQ((*sparks->GetBlend())[0].value, 3);
    EXPECT_EQ((*sparks->GetOffset())[0].value, (TPoint<float>(4, 4)));
    EXPECT_EQ((*sparks->GetOpaque())[0].value, 1.0f);
    EXPECT_EQ((*sparks->GetParamModifiers())[0].id, 3);

    // The fifth font is number 4.
    resource->GetFontByName("f4");
    EXPECT_TRUE(engine.HasLog("Can't find font 4"));
    // No sprite of group "a" has a valid sprite info, so the group loads nothing.
    GetResourceCache()->PreloadGroup("a");
    EXPECT_EQ(engine.CountCalls("Texture_Load"), 0);
}

TEST_F(ResourceReaderTest, CallsBeforeTheirTargetAreLoggedAndIgnored) {
    struct Case {
        const char* prelude;
        const char* call;
        const char* log;
    };
    const Case cases[] = {
        {"", "r.AddFlip(1, 0);", "Warning: CResourceReader::AddFlip"},
        {"", "r.AddNamedPart(\"_show\", 0, 1, 0);", "Warning: CResourceReader::AddNamedPart"},
        {"", "r.CreateAnimationData(\"a\");", "Module \"\" not found"},
        {"", "r.CreateSpriteObjectData(\"s\");", "Warning: CResourceReader::CreateSpriteObjectData"},
        {"r.CreateModule(\"m\");", "r.CreateSoundObjectData(\"s\");",
         "Warning: CResourceReader::CreateSoundObjectData"},
        {"r.CreateModule(\"m\");", "r.CreateParticleSystem(\"p\");",
         "Warning: CResourceReader::CreateParticleSystem"},
        {"", "r.AddOpaque(255, 0, 0);", "Warning: CResourceReader::AddOpaque"},
        {"", "r.AddSpriteIDResource(0, 0);", "Warning: CResourceReader::AddSpriteIDResource"},
        {"", "r.AddLayer(1, 0);", "Warning: CResourceReader::AddLayer"},
        {"", "r.AddHotspot(1, 1, 0, 0);", "Warning: CResourceReader::AddHotspot"},
        {"r.CreateModule(\"m\"); r.CreateAnimationData(\"a\"); r.CreateSpriteObjectData(\"s\");",
         "r.AddActionSound(1, 0);", "Warning: CResourceReader::AddActionSound"},
        {"", "r.AddParticleCommand(1, 0);", "Warning: CResourceReader::AddParticleCommand"},
        // These have no target to miss: silently nothing.
        {"", "r.AddBlendMode(1, 0);", nullptr},
        {"", "r.AddParticleID(1, 0);", nullptr},
        {"", "r.AddParamModifier(2, 1, 1, 0.0, 1.0, 1.0, 1.0);", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        engine.log.clear();
        auto resource = Run(Script(std::string(c.prelude) + c.call + "\n r.AddFont(\"after\");\n"));
        if (c.log) {
            EXPECT_EQ(engine.log, std::vector<std::string>{c.log});
        } else {
            EXPECT_TRUE(engine.log.empty());
        }
        // The script goes on after the ignored call.
        resource->GetFontByName("after");
        EXPECT_TRUE(engine.HasLog("Can't find font 0"));
    }
}

TEST_F(ResourceReaderTest, SyntaxErrorIsLoggedAndLeavesTablesAndByteCodeAlone) {
    auto resource = Run("void FillResource(CResourceReader@ r)\n{\n    r.AddFont(\"a\")\n}\n");
    EXPECT_EQ(engine.log,
              (std::vector<std::string>{
                  "ANGELSCRIPT: animation (1, 1) | INFO  | Compiling void FillResource(CResourceReader@)",
                  "ANGELSCRIPT: animation (4, 1) | ERR  | Expected ';'",
                  "ANGELSCRIPT: animation (4, 1) | ERR  | Instead found '}'",
              }));
    EXPECT_EQ(resource->GetModuleCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(data / "Animation/effects.bs"));
}

TEST_F(ResourceReaderTest, ScriptWithoutFillResourceFillsNothing) {
    auto resource = Run("void Fill(CResourceReader@ r)\n{\n    r.CreateModule(\"m\");\n}\n");
    EXPECT_TRUE(engine.HasLog("Can't find script function \"void FillResource(CResourceReader@)\""));
    EXPECT_EQ(resource->GetModuleCount(), 0);
}

TEST_F(ResourceReaderTest, ScriptExceptionKeepsWhatWasFilledBefore) {
    auto resource = Run(Script(R"(
        r.CreateModule("m");
        CResourceReader@ none;
        none.CreateModule("n");
        r.CreateModule("never");
)"));
    EXPECT_EQ(resource->GetModuleNames(), std::vector<std::string>{"m"});
    EXPECT_EQ(engine.log,
              std::vector<std::string>{"ANGELSCRIPT: animation (6, 9) | ERR  | Null pointer access"});
}

// Scripts that crashed the compiler or never ended: each is refused before the compiler sees it, or
// stopped on its budget, with a log line that names the bound, and the start goes on. A script just
// inside the bounds compiles and runs.
TEST_F(ResourceReaderTest, HostileScriptsAreRefusedOrStoppedNamingTheBound) {
    using E = CScriptEngine;
    const std::string sprite =
        "r.CreateModule(\"m\"); r.CreateAnimationData(\"a\"); r.CreateSpriteObjectData(\"s\");\n";
    const auto sum = [](int terms) {  // "int a = 1+1+...;": 4 tokens and 2 a term
        std::string text = "int a = 1";
        for (int i = 0; i < terms; ++i) text += "+1";
        return text + ";\n";
    };
    const auto elses = [](int count) {
        std::string text = "int e = 0;\nif (e == 0) e = 1;\n";
        for (int i = 0; i < count; ++i) text += "else if (e == " + std::to_string(i) + ") e = 2;\n";
        return text;
    };
    const auto nested = [](int depth) {
        return "int b = " + std::string(depth, '(') + "1" + std::string(depth, ')') + ";\n";
    };
    const std::string steps =
        "the script ran past its budget of " + std::to_string(E::kStepBudget) + " steps";
    const std::string bytes =
        "the script allocated past its budget of " + std::to_string(E::kByteBudget) + " bytes";
    const std::string brackets = "brackets nest deeper than " + std::to_string(E::kMaxNesting);
    struct Case {
        const char* what;
        std::string source, logged;
    };
    const Case cases[] = {
        {"nested parentheses", Script(nested(5000)), brackets},
        {"nested blocks", Script(std::string(50000, '{') + std::string(50000, '}')), brackets},
        {"a long statement", Script(sum((E::kMaxStatementTokens - 4) / 2 + 1)),
         "a statement runs longer than " + std::to_string(E::kMaxStatementTokens) + " tokens"},
        {"an else chain", Script(elses(E::kMaxElsePerBlock + 1)),
         "a block holds more than " + std::to_string(E::kMaxElsePerBlock) + " else"},
        {"a huge script", Script(sprite) + "//" + std::string(E::kMaxSourceBytes, 'x') + "\n",
         "the script runs past the " + std::to_string(E::kMaxSourceBytes) + " bytes allowed"},
        {"an endless loop", Script(sprite + "while (true) {}\n"), steps},
        {"an endless recursion", "void Again(int n) { Again(n + 1); }\n" + Script("Again(0);\n"),
         "Stack overflow: the script went past its bound of " + std::to_string(E::kMaxStackBytes) +
             " bytes or " + std::to_string(E::kMaxCallDepth) + " nested calls"},
        {"endless calls", Script(sprite + "while (true) r.AddFlip(1, 10);\n"), bytes},
        {"a string doubled", Script("string s = \"ab\";\nwhile (true) s += s;\n"), bytes},
        {"an endless global",
         "int Forever() { while (true) {} return 0; }\nint g = Forever();\n" + Script(""), steps},
        {"an endless destructor", "class Stuck { ~Stuck() { while (true) {} } }\n" + Script("Stuck s;\n"),
         steps},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        engine.log.clear();
        GetResourceCache()->Clear();
        std::filesystem::remove(data / "Animation/effects.bs");
        Run(c.source);
        EXPECT_TRUE(engine.HasLog(c.logged)) << ::testing::PrintToString(engine.log);
    }

    engine.log.clear();
    GetResourceCache()->Clear();
    std::filesystem::remove(data / "Animation/effects.bs");
    auto resource = Run(Script(sprite + nested(E::kMaxNesting - 1) + sum((E::kMaxStatementTokens - 5) / 2) +
                               elses(E::kMaxElsePerBlock) +
                               "string s = \"ab\";\nfor (int i = 0; i < 20; ++i) s += s;\n"));
    EXPECT_EQ(engine.log, std::vector<std::string>{});
    EXPECT_TRUE(resource->GetAnimationDataByPath("m.a"));
}

}  // namespace
