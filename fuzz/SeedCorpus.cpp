// Writes a seed corpus for every fuzz target into <folder>/<target>/: well-formed files made by the
// writers the tests use (and the sample resource script, compiled), so that the fuzzers start from
// inputs that reach deep into each reader.
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "framework/resources/ResourceReader.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "tests/support/FontWriter.h"
#include "tests/support/ImageWriters.h"
#include "tests/support/ParticleFileWriter.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/SoundWriter.h"
#include "tests/support/TextTableWriter.h"

using namespace GF;
using namespace GF::HGENS;
using Bytes = std::vector<unsigned char>;

namespace {

std::filesystem::path g_root;
bool g_ok = true;

void Seed(const char* target, const char* name, const Bytes& bytes) {
    const std::filesystem::path folder = g_root / target;
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "fuzz_seeds: can't write %s\n", (folder / name).c_str());
        g_ok = false;
    }
}

// The stream target reads an operation byte before each value: 0 count, 1 string, 2 wide string,
// 3 32-bit, 4 16-bit, 5 float and 32-bit, 6 skip.
void StreamSeeds() {
    CMemoryOutputStream out;
    WriteByte(out, 0);
    WriteVarUInt(out, 300);
    WriteByte(out, 1);
    WriteString(out, "HGEFN10");
    WriteByte(out, 2);
    WriteWString(out, u"Gr\u00fc\u00dfe \u263A");
    WriteByte(out, 3);
    WriteUInt32BE(out, 0xDEADBEEF);
    WriteByte(out, 4);
    WriteUInt16BE(out, 0xFEFF);
    WriteByte(out, 5);
    WriteFloatLE(out, 1.5f);
    WriteInt32BE(out, -2);
    WriteByte(out, 6);
    WriteByte(out, 2);
    WriteUInt16BE(out, 0);
    Seed("fuzz_stream", "every-operation", out.data);

    CMemoryOutputStream counts;
    for (uint32_t value : {0u, 127u, 128u, 16383u, 16384u, 0xFFFFFFFFu}) {
        WriteByte(counts, 0);
        WriteVarUInt(counts, value);
    }
    Seed("fuzz_stream", "counts", counts.data);
}

// The manager's four options, then a version word of another data version (the game's part with
// players is seeded beside the player store's seeds).
void SettingsSeeds() {
    CMemoryOutputStream out;
    for (int32_t value : {50, 60, 0, 1, 0}) WriteInt32BE(out, value);
    Seed("fuzz_settings", "defaults", out.data);
    CMemoryOutputStream other;
    for (int32_t value : {100, 0, 1, 0, 7}) WriteInt32BE(other, value);
    WriteWString(other, u"Player");
    Seed("fuzz_settings", "other-version", other.data);
    Seed("fuzz_settings", "short", Bytes(out.data.begin(), out.data.begin() + 10));
}

void TextTableSeeds() {
    const std::vector<std::pair<std::string, WString>> entries = {
        {"title", u"Quindle"}, {"loading", u"Loading\u2026"}, {"empty", u""}, {"title", u"second"}};
    Seed("fuzz_text_table", "lf", WriteTextTable(entries));
    TTextTableLayout crlf;
    crlf.lineEnd = u"\r\n";
    crlf.endsWithLineEnd = false;
    Seed("fuzz_text_table", "crlf-open-end", WriteTextTable(entries, crlf));
}

void FontSeeds() {
    TFontFile font;
    font.top = -10;
    font.bottom = 4;
    font.spacing = 1;
    font.pageCount = 2;
    font.glyphs = {
        {u'A', 0, 0, 6, 10, 0, 0, 6, 10}, {u'B', 0, -1, 5, 10, 8, 0, 7, 10}, {u' ', 0, 0, 3, 0, 0, 0, 0, 0},
        {u'n', 1, 0, 5, 7, 0, 0, 5, 7},   {u'\\', 1, 0, 4, 10, 5, 0, 4, 10}, {0xFFFF, 0, 0, 1, 1, 0, 0, 1, 1},
    };
    Bytes bytes = WriteFontFile(font);
    // The target draws a text cut from the input's end: end with glyph codes it has.
    for (char16_t code : std::u16string(u"AB\\nA B")) {
        bytes.push_back(static_cast<unsigned char>(code >> 8));
        bytes.push_back(static_cast<unsigned char>(code));
    }
    Seed("fuzz_font", "two-pages", bytes);
    font.pageCount = 0;
    Seed("fuzz_font", "no-pages", WriteFontFile(font));
    // More pages than a font may have, a glyph on the last.
    font.pageCount = 17;
    font.glyphs[0].page = 16;
    Seed("fuzz_font", "too-many-pages", WriteFontFile(font));
}

void ParticleSeeds() {
    TParticleFile file;
    file.header.lifeMin = 0.5f;
    file.header.lifeMax = 2.0f;
    file.header.emissionRate = 200.0f;
    for (float& c : file.header.startColor) c = 255.0f;
    file.header.spreadX = 50.0f;
    file.header.areaHalfWidth = 10.0f;
    file.header.areaHalfHeight = 5.0f;
    Seed("fuzz_particle", "plain", WriteParticleFile(file));

    file.header.spawnShape = 3;
    file.header.spreadShape = 1;
    file.header.flickerRate = 3.0f;
    file.header.velocityJitterX = 5.0f;
    file.header.sizeJitter = 1.0f;
    file.spawnLines = {{-20, 0, 20, 0, {0, 0}}, {0, -20, 0, 20, {0, 0}}};
    file.deflectLines = {{-100, -50, 100, -50, 0, 1}};
    file.pathKeys = {{0, 0, 0.1f, 0, 0}, {0, 0, 0.5f, 100, 0}, {0, 0, 0.0f, 0, -100}};
    Seed("fuzz_particle", "tables", WriteParticleFile(file));

    file.header.spawnShape = 2;
    file.header.spreadShape = 2;
    file.header.spawnAngle = 0.7f;
    file.header.lifeMin = file.header.lifeMax = 0.0f;
    Seed("fuzz_particle", "ellipse-no-life", WriteParticleFile(file));
}

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Plays the script library's side of CBinaryStreamHelp, recording the sizes it asks for.
class CRecordingStream : public asIBinaryStream {
public:
    CRecordingStream(CInputStream* in, COutputStream* out) : m_inner(in, out) {}
    int Read(void* destination, asUINT size) override {
        sizes.push_back(size);
        return m_inner.Read(destination, size);
    }
    int Write(const void* source, asUINT size) override {
        sizes.push_back(size);
        return m_inner.Write(source, size);
    }
    std::vector<unsigned> sizes;

private:
    CBinaryStreamHelp m_inner;
};

// The byte code target's input: an operation count, an output limit in 16-byte steps, the
// operations (kind 0 read, 1 write; a 12-bit size), then the bytes the reads are served from.
Bytes AdapterInput(const std::vector<unsigned>& sizes, uint8_t kind, uint8_t limit, const Bytes& stream) {
    const std::size_t count = std::min<std::size_t>(sizes.size(), 63);
    Bytes input = {static_cast<unsigned char>(count), limit};
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned size = std::min(sizes[i], 0xFFFu);
        input.insert(input.end(),
                     {kind, static_cast<unsigned char>(size >> 8), static_cast<unsigned char>(size)});
    }
    input.insert(input.end(), stream.begin(), stream.end());
    return input;
}

// Compiles a script and records how the library saves it and loads it back through the adapter.
GF_SCRIPT_CALLS void ByteCodeSeeds(const char* name, const Bytes& source) {
    CRecordingEngine engine;
    THolder<CResourceReader> reader(new CResourceReader(nullptr));
    asIScriptEngine* script = reader->Script().Get();
    CMemoryOutputStream byteCode;
    CRecordingStream saving(nullptr, &byteCode);
    asIScriptModule* module = nullptr;
    if (!source.empty() && reader->Script().Build(reinterpret_cast<const char*>(source.data()),
                                                  static_cast<unsigned>(source.size())))
        module = script->GetModule(CScriptEngine::kModuleName, asGM_ONLY_IF_EXISTS);
    if (!module || module->SaveByteCode(&saving) < 0) {
        std::fprintf(stderr, "fuzz_seeds: can't compile the %s script\n", name);
        for (const std::string& line : engine.log) std::fprintf(stderr, "  %s\n", line.c_str());
        g_ok = false;
        return;
    }
    CMemoryInputStream in(byteCode.data);
    CRecordingStream loading(&in, nullptr);
    if (module->LoadByteCode(&loading) < 0) {
        std::fprintf(stderr, "fuzz_seeds: the %s script's byte code does not load\n", name);
        g_ok = false;
        return;
    }
    const std::string stem = name;
    Seed("fuzz_byte_code", (stem + "-load").c_str(), AdapterInput(loading.sizes, 0, 0, byteCode.data));
    // The saver's writes into an output that fills up part of the way through.
    const auto limit = static_cast<uint8_t>(std::min<std::size_t>(byteCode.data.size() / 32, 255));
    Seed("fuzz_byte_code", (stem + "-save").c_str(), AdapterInput(saving.sizes, 1, limit, {}));
    // A whole saved file, with its trailer, loaded as the program loads it.
    CMemoryOutputStream file;
    if (reader->Script().SaveByteCode(
            file, std::string_view(reinterpret_cast<const char*>(source.data()), source.size())))
        Seed("fuzz_byte_code", (stem + "-file").c_str(), AdapterInput({}, 0, 0, file.data));
}

void ByteCodeSeeds() {
    ByteCodeSeeds("sample",
                  ReadFile(std::filesystem::path(QUINDLE_SOURCE_DIR) / "content/Animation/effects.as"));
    const std::string small =
        "void FillResource(CResourceReader@ r) {\n"
        "  r.CreateModule(\"m\"); r.CreateAnimationData(\"a\"); r.CreateSpriteObjectData(\"s\");\n"
        "  for (int i = 0; i < 3; ++i) r.AddColor(255, i * 80, 0, 0, 1, 100);\n"
        "  r.AddRotate(45.5f, 0, 10);\n"
        "}\n";
    ByteCodeSeeds("small", Bytes(small.begin(), small.end()));
}

// Scripts for the script target: the sample, and scripts that once crashed the compiler or never
// ended, each just past a bound or endless.
void ScriptSeeds() {
    const auto seed = [](const char* name, const std::string& text) {
        Seed("fuzz_script", name, Bytes(text.begin(), text.end()));
    };
    Seed("fuzz_script", "sample",
         ReadFile(std::filesystem::path(QUINDLE_SOURCE_DIR) / "content/Animation/effects.as"));
    const std::string head = "void FillResource(CResourceReader@ r)\n{\n";
    const std::string sprite =
        "    r.CreateModule(\"m\");\n    r.CreateAnimationData(\"a\");\n"
        "    r.CreateSpriteObjectData(\"s\");\n";
    seed("nested-parentheses",
         head + "    int a = " + std::string(5000, '(') + "1" + std::string(5000, ')') + ";\n}\n");
    seed("nested-blocks", head + std::string(50000, '{') + std::string(50000, '}') + "\n}\n");
    std::string chain = head + "    int a = 1";
    for (int i = 0; i < 2000; ++i) chain += " + 1";
    seed("long-statement", chain + ";\n}\n");
    std::string elses = head + "    int a = 0;\n    if (a == 0) a = 1;\n";
    for (int i = 0; i < 2000; ++i) elses += "    else if (a == " + std::to_string(i) + ") a = 2;\n";
    seed("else-chain", elses + "}\n");
    seed("endless-loop", head + "    while (true) {}\n}\n");
    seed("endless-recursion", "void Again(int n) { Again(n + 1); }\n" + head + "    Again(0);\n}\n");
    seed("endless-calls", head + sprite + "    while (true) r.AddFlip(1, 10);\n}\n");
    seed("doubling-string", head + "    string s = \"ab\";\n    while (true) s += s;\n}\n");
    seed("endless-global",
         "int Forever() { while (true) {} return 0; }\nint g = Forever();\n" + head + "}\n");
    seed("endless-destructor", "class Stuck { ~Stuck() { while (true) {} } }\n" + head + "    Stuck s;\n}\n");
}

// A store with something in every map, list and string of a profile.
CPlayerStore FullStore() {
    CPlayerStore store;
    store.version = 2;
    store.currentName = u"Ann";
    CPlayerProfile& p = store.players[u"Ann"];
    p.name = u"Ann";
    p.flags["comics_1"] = true;
    p.hintShows[0] = 1;
    p.levels["stage1_1"] = {12.5f, 1, true, 61000.0f, {{6, 250.0f}}};
    p.floatVars[1] = 1.0f;
    p.stringVars[11] = "stage1_1";
    p.flags2["tomato"] = true;
    p.names = {"pan"};
    p.stageName = "stage1";
    p.stageList = {1};
    p.stages["stage1"] = {"t", 2, 1};
    store.players[u""].stageName = "stage1";
    store.extras = {{"volume", 0.5f}};
    return store;
}

// The built sample and a database with a record of every kind, an expression nested to the limit.
void GameDataSeeds() {
    const Bytes sample = ReadFile(QUINDLE_SAMPLE_GAMEDATA);
    Seed("fuzz_game_data", "sample", sample);

    CGameData data;
    data.sounds[2] = {"click", 2};
    data.persParams.dresses = {0, 1};
    data.bonusParams.series = {{3, 10.0f}};
    data.hints.push_back({1, "hint", true, 4, false, -1, true, "balloon"});
    CDeformGridRecord& grid = data.deformGrids["map"];
    grid.name = "map";
    grid.frames.push_back({1, 2, 0.5f, {{{1, 2}, {3, 4}}, {}}});
    data.flyPaths["spiral"] = {"spiral", {{0.0f, 0.0f}, {1.0f, 1.0f}}};
    data.players = FullStore();
    CFlowRule rule;
    rule.enabled = true;
    rule.argument = "def_settings";
    CFlowCondition condition;
    condition.expression.kind = 22;
    condition.expression.children.resize(2);
    rule.conditions.push_back(condition);
    rule.actions.push_back({});
    data.flowRules.push_back(rule);
    CExpressionNode deep;
    for (int depth = 1; depth < kMaxExpressionDepth; ++depth) {
        CExpressionNode parent;
        parent.children.push_back(std::move(deep));
        deep = std::move(parent);
    }
    data.expressions["test"] = {deep, "test"};
    CMemoryOutputStream out;
    WriteGameData(out, data);
    Seed("fuzz_game_data", "every-record", out.data);
}

// The game's part of "Setting": the sample's default store, a full one and one of another version.
void PlayerStoreSeeds() {
    CGameData sample;
    CMemoryInputStream in(ReadFile(QUINDLE_SAMPLE_GAMEDATA));
    std::string why;
    if (ParseGameData(in, sample, why)) {
        CMemoryOutputStream out;
        SaveSettingsPart(out, sample.players);
        Seed("fuzz_player_store", "sample-default", out.data);
    } else {
        std::fprintf(stderr, "fuzz_seeds: the sample gamedata.bin is refused: %s\n", why.c_str());
        g_ok = false;
    }
    CMemoryOutputStream full;
    SaveSettingsPart(full, FullStore());
    Seed("fuzz_player_store", "full", full.data);
    // The whole settings file of a player who has played: the manager's four options, then the
    // game's part.
    CMemoryOutputStream settings;
    for (int32_t value : {80, 70, 0, 0}) WriteInt32BE(settings, value);
    SaveSettingsPart(settings, FullStore());
    Seed("fuzz_settings", "players", settings.data);
    CPlayerStore other = FullStore();
    other.version = 3;
    CMemoryOutputStream otherOut;
    SaveSettingsPart(otherOut, other);
    Seed("fuzz_player_store", "other-version", otherOut.data);
}

// The built samples, and the level data and the library with a record of every kind and every list
// filled, each also cut short.
void LevelsDataSeeds() {
    Seed("fuzz_levels_data", "sample", ReadFile(QUINDLE_SAMPLE_LEVELSDATA));
    CLevelsData data;
    data.Bonuses[2].Kind = 2;
    data.Bonuses[2].Name = "slow";
    CReceptInfo& soup = data.Recepts["soup"];
    soup.Name = "soup";
    soup.Caption = u"Soup";
    soup.Numbers = {1};
    soup.Items.resize(1);
    soup.Items[0].Name = "Devices.saucepan";
    data.GetStage("stage1").Dresses = {1};
    CLevelInfo& level = data.GetLevel("stage1_1");
    level.NewIngridients = {"Places.bread"};
    level.ExtraNames = {"extra"};
    level.Bonuses.resize(1);
    level.ProgressValues.resize(1);
    level.Orders.resize(1);
    level.Orders[0].Recept = "soup";
    level.WalkGrid.assign(256, false);
    level.WalkGrid[17] = true;
    level.FloorQuad = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
    level.Objects.resize(1);
    data.CookBook.resize(1);
    data.CookBook[0].Items.resize(1);
    data.CookBookValues = {40.0f};
    CMemoryOutputStream out;
    WriteLevelsData(out, data);
    Seed("fuzz_levels_data", "every-record", out.data);
    Seed("fuzz_levels_data", "cut", Bytes(out.data.begin(), out.data.end() - 3));
}

void LibDataSeeds() {
    Seed("fuzz_lib_data", "sample", ReadFile(QUINDLE_SAMPLE_LIBDATA));
    CLibData data;
    data.GetFrameGrid("icons") = {"icons", 256, 128, 64, 64};
    CIngridientInfo& vase = data.FindIngridientInfo("Bonus.vase");
    vase.Items.resize(1);
    vase.Title = u"Vase";
    vase.Mask.Cells = {200, 0};
    vase.Mask.Value1 = 2;
    vase.Mask.Value4 = 1;
    CMemoryOutputStream out;
    WriteLibData(out, data);
    Seed("fuzz_lib_data", "every-record", out.data);
    Seed("fuzz_lib_data", "cut", Bytes(out.data.begin(), out.data.end() - 3));
}

// The sample's textures: each as the plain picture it is; its top-left corner as a JPEG, a BMP and a
// Targa file; and the same corner as a ".jp2" file with its alpha as the GIF mask (as many colour
// channels as the texture has alpha or not), the mask plain and interlaced.
void TextureSeeds() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(QUINDLE_SAMPLE_TEXTURES))
        if (entry.path().extension() == ".png") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "fuzz_seeds: no sample textures in %s\n", QUINDLE_SAMPLE_TEXTURES);
        g_ok = false;
    }
    for (const std::filesystem::path& file : files) {
        const Bytes png = ReadFile(file);
        const std::string stem = file.stem().string();
        Bytes plain = {0};
        plain.insert(plain.end(), png.begin(), png.end());
        Seed("fuzz_texture", ("plain-" + stem).c_str(), plain);

        SDL_Surface* decoded = IMG_Load(file.c_str());
        SDL_Surface* argb =
            decoded ? SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
        if (decoded) SDL_FreeSurface(decoded);
        if (!argb) {
            std::fprintf(stderr, "fuzz_seeds: can't decode %s\n", file.c_str());
            g_ok = false;
            continue;
        }
        const int w = std::min(argb->w, 32), h = std::min(argb->h, 32);
        std::vector<uint32_t> pixels;
        std::vector<uint8_t> alpha;
        bool translucent = false;
        for (int y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const unsigned char*>(argb->pixels) + static_cast<std::size_t>(y) * argb->pitch);
            for (int x = 0; x < w; ++x) {
                pixels.push_back(row[x]);
                alpha.push_back(static_cast<uint8_t>(row[x] >> 24));
                translucent = translucent || alpha.back() != 0xFF;
            }
        }
        SDL_FreeSurface(argb);
        const std::pair<const char*, Bytes> pictures[] = {
            {"jpeg-", TestImages::WriteJpeg(w, h, pixels)},
            {"bmp-", TestImages::WriteBmp(w, h, pixels)},
            {"tga-", TestImages::WriteTga(w, h, pixels)},
        };
        for (const auto& [kind, picture] : pictures) {
            Bytes input = {0};
            input.insert(input.end(), picture.begin(), picture.end());
            Seed("fuzz_texture", (kind + stem).c_str(), input);
        }
        const Bytes jp2 = TestImages::WriteJp2(w, h, pixels, translucent ? 4 : 3);
        if (jp2.size() > 0xFFFF) continue;
        for (const bool interlaced : {false, true}) {
            const Bytes gif = TestImages::WriteGreyGif(w, h, alpha, interlaced);
            Bytes input = {1, static_cast<unsigned char>(jp2.size() >> 8),
                           static_cast<unsigned char>(jp2.size())};
            input.insert(input.end(), jp2.begin(), jp2.end());
            input.insert(input.end(), gif.begin(), gif.end());
            Seed("fuzz_texture", ((interlaced ? "jp2-interlaced-" : "jp2-") + stem).c_str(), input);
        }
    }
    // A bare code stream cut in tiles, with no mask.
    const Bytes stream = TestImages::WriteJ2kClaiming(40, 30, 3, 16);
    Bytes input = {1, static_cast<unsigned char>(stream.size() >> 8),
                   static_cast<unsigned char>(stream.size())};
    input.insert(input.end(), stream.begin(), stream.end());
    Seed("fuzz_texture", "j2k-tiles", input);

    // Files of endless work: a progressive JPEG of thousands of empty scans, a PNG whose data
    // inflates past its picture, a code stream in code blocks of 4 x 4, and a mask of clear codes.
    const std::pair<const char*, Bytes> plain[] = {
        {"jpeg-scans", TestImages::WriteJpegOfScans(4096, 4096, 3000)},
        {"png-inflating", TestImages::WritePngInflatingTo(64, 64, uint64_t{64} << 20)},
        {"png-texts", TestImages::WritePngWithTexts(4, 4, std::vector<uint32_t>(16, 0xFF336699), 20, 100000)},
    };
    for (const auto& [name, picture] : plain) {
        Bytes seed = {0};
        seed.insert(seed.end(), picture.begin(), picture.end());
        Seed("fuzz_texture", name, seed);
    }
    const std::pair<const char*, Bytes> streams[] = {
        {"j2k-code-blocks", TestImages::WriteJ2kClaiming(4096, 4096, 1, 0, 0)},
        {"j2k-clear-codes", TestImages::WriteJ2kClaiming(6, 4, 1)},
        {"j2k-clear-codes-of-one-bit", TestImages::WriteJ2kClaiming(6, 4, 1)},
        {"j2k-tile-parts", TestImages::WriteJ2kOfTileParts(3, 200)},
        {"j2k-past-the-budget", TestImages::WriteJ2kClaiming(4096, 4096, 4)},
    };
    for (const auto& [name, code] : streams) {
        Bytes seed = {1, static_cast<unsigned char>(code.size() >> 8),
                      static_cast<unsigned char>(code.size())};
        seed.insert(seed.end(), code.begin(), code.end());
        if (std::string(name).starts_with("j2k-clear-codes")) {
            const Bytes gif = TestImages::WriteGifOfClearCodes(6, 4, 60000, name[15] ? 0 : 8);
            seed.insert(seed.end(), gif.begin(), gif.end());
        }
        Seed("fuzz_texture", name, seed);
    }
}

}  // namespace

// The sample's sounds as they are, and long ones of little weight: ten minutes of silent Ogg and a
// minute of 8-bit WAV at 1 kHz, both past the effects' bound.
void SoundSeeds() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(QUINDLE_SAMPLE_SOUNDS, error)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        Seed("fuzz_sound", ("sample-" + entry.path().filename().string()).c_str(), bytes);
    }
    if (error) {
        std::fprintf(stderr, "fuzz_seeds: no sample sounds in %s\n", QUINDLE_SAMPLE_SOUNDS);
        g_ok = false;
    }
    Seed("fuzz_sound", "silent-ten-minutes.ogg", WriteSilentOgg(600, 8000));
    Seed("fuzz_sound", "long.wav", WriteSilentWav8(65536, 1000));
    // A short Ogg chained: no sound may be.
    Seed("fuzz_sound", "chained-2.ogg", WriteChainedOgg(WriteSilentOgg(1, 8000), 2));
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    g_root = argv[1];
    StreamSeeds();
    SettingsSeeds();
    TextTableSeeds();
    FontSeeds();
    ParticleSeeds();
    ByteCodeSeeds();
    ScriptSeeds();
    GameDataSeeds();
    PlayerStoreSeeds();
    LevelsDataSeeds();
    LibDataSeeds();
    TextureSeeds();
    SoundSeeds();
    return g_ok ? 0 : 1;
}
