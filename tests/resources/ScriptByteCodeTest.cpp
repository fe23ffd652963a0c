#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/MemoryStreams.h"
#include "framework/resources/Resource.h"
#include "framework/resources/ResourceCache.h"
#include "framework/resources/ResourceReader.h"
#include "framework/resources/ScriptCompiler.h"
#include "framework/resources/ScriptEngine.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/TempFolder.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

const std::string kSampleScript = (std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                                   "content/Animation/effects.as")
                                      .string();

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

template <class List>
void DescribeKeys(std::ostream& out, const char* track, const THolder<List>& list) {
    out << " " << track << ":";
    for (const auto& key : *list) out << key.mode << "/" << key.duration << ",";
}

// Everything the script put into the tables, as text, to compare two runs.
std::string Describe(CResource& resource) {
    std::ostringstream out;
    out << "sprite infos " << resource.GetSpriteInfoCount() << "\n";
    for (int i = 0; THolder<ITextDescrition> text = resource.GetTextDescription(i); ++i)
        out << "text " << text->GetName() << " " << text->GetFontNumber() << "\n";
    for (const std::string& module : resource.GetModuleNames()) {
        for (const std::string& name : resource.GetAnimationDataNames(module)) {
            THolder<IAnimationData> animation = resource.GetAnimationData(module, name);
            out << module << "." << name << "\n";
            for (int i = 0; i < animation->GetObjectDataCount(); ++i) {
                THolder<IObjectData> object = animation->GetObjectData(i);
                out << "  " << object->GetName();
                DescribeKeys(out, "id", object->GetIDResource());
                if (auto* drawable = dynamic_cast<IDrawableObjectData*>(object.Get())) {
                    DescribeKeys(out, "color", drawable->GetColor());
                    DescribeKeys(out, "offset", drawable->GetOffset());
                    DescribeKeys(out, "opaque", drawable->GetOpaque());
                    out << " subst " << drawable->GetSubstAnimationCount();
                }
                out << "\n";
            }
        }
    }
    return out.str();
}

// Starts of the program, each with its own engine serving the given files and a fresh resource
// manager; the data folder, where byte code is written, is a temporary one.
class ScriptByteCodeTest : public ::testing::Test {
protected:
    void SetUp() override { GetResourceCache()->Clear(); }
    void TearDown() override { GetResourceCache()->Clear(); }

    struct Start {
        std::string tables;
        std::vector<std::string> log;
    };
    Start RunStart(const std::map<std::string, std::string>& files) {
        CRecordingEngine engine;
        for (const auto& [name, bytes] : files) engine.AddResource(name, bytes);
        THolder<CResource> resource(new CResource);
        LoadResourceScript(*resource);
        GetResourceCache()->Clear();
        return {Describe(*resource), engine.log};
    }

    std::string ByteCodeFile() const { return data / "Animation/effects.bs"; }

    CTempFolder data;
    CScopedEnv dataFolder{"QUINDLE_DATA_DIR", data.Path()};
    const std::string source = ReadFile(kSampleScript);
};

TEST_F(ScriptByteCodeTest, SourceIsCompiledOnceAndItsByteCodeFillsTheSameTables) {
    ASSERT_FALSE(source.empty()) << kSampleScript;
    const Start compiled = RunStart({{"Animation\\effects.as", source}});
    EXPECT_EQ(compiled.log, std::vector<std::string>{});
    EXPECT_NE(compiled.tables.find("interfaces.publisher"), std::string::npos) << compiled.tables;
    const std::string byteCode = ReadFile(ByteCodeFile());
    ASSERT_FALSE(byteCode.empty());

    // The next start finds the byte code where the loader looks, and needs no source.
    const Start loaded = RunStart({{"Animation\\effects.bs", byteCode}});
    EXPECT_EQ(loaded.log, std::vector<std::string>{});
    EXPECT_EQ(loaded.tables, compiled.tables);

    // With both present only the byte code is read, and nothing is written.
    std::filesystem::remove(ByteCodeFile());
    const Start both =
        RunStart({{"Animation\\effects.bs", byteCode}, {"Animation\\effects.as", "not a script"}});
    EXPECT_EQ(both.tables, compiled.tables);
    EXPECT_FALSE(std::filesystem::exists(ByteCodeFile()));
}

std::string Changed(std::string bytes, std::size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
    return bytes;
}

TEST_F(ScriptByteCodeTest, ByteCodeThatDoesNotLoadFallsBackToTheSource) {
    const Start compiled = RunStart({{"Animation\\effects.as", source}});
    const std::string good = ReadFile(ByteCodeFile());
    ASSERT_GT(good.size(), 24u);
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::string otherVersion = good;
    for (size_t i = 0; i < 8; ++i) otherVersion[i] = static_cast<char>(~otherVersion[i]);
    const Case cases[] = {
        {"empty", ""},
        {"truncated", good.substr(0, good.size() / 2)},
        {"one byte short", good.substr(0, good.size() - 1)},
        {"a different header", otherVersion},
        // The library does not check its own bytes; these must not reach it.
        {"a byte changed inside", Changed(good, good.size() / 3)},
        {"a byte changed in the trailer's length", Changed(good, good.size() - 18)},
        {"without its check", good.substr(0, good.size() - 24)},
        {"a byte more", good + '\0'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(ByteCodeFile());
        const Start start = RunStart({{"Animation\\effects.bs", c.bytes}, {"Animation\\effects.as", source}});
        EXPECT_EQ(start.tables, compiled.tables);
        EXPECT_TRUE(std::find(start.log.begin(), start.log.end(),
                              "Can't load the script byte code Animation\\effects.bs, compiling "
                              "Animation\\effects.as") != start.log.end());
        // The fresh byte code replaces the bad file on the next start.
        EXPECT_EQ(ReadFile(ByteCodeFile()), good);
    }
}

// One byte changed and the checksum made to match, as anyone can make it (not the keyed hash, which
// takes the build's key): the library's loader would stop the program on some of these. Each start
// lives, and one that does not take the byte code fills the tables from the source.
std::string WithTrailer(const std::string& body, const std::string& keyed) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : body) hash = (hash ^ byte) * 1099511628211ull;
    std::string trailer = "QBC2";
    for (int i = 3; i >= 0; --i) trailer += static_cast<char>(body.size() >> (8 * i));
    for (int i = 7; i >= 0; --i) trailer += static_cast<char>(hash >> (8 * i));
    return body + trailer + keyed;
}

TEST_F(ScriptByteCodeTest, ByteCodeWithAMatchingTrailerNeverStopsTheStart) {
    const std::string script = R"(
string Name(int i) { return "part" + (i == 0 ? "a" : "b"); }
void FillResource(CResourceReader@ r)
{
    r.AddTexture("sheet");
    r.AddHGESpriteInfo("dot", 0, 1, 2, 30, 40);
    r.CreateModule("m");
    r.CreateAnimationData("a");
    r.AddNamedPart(Name(0), 0, 100, 1);
    r.CreateSpriteObjectData("s");
    for (int i = 0; i < 4; ++i) r.AddColor(255, i * 60, 0, 0, 1, 100);
    r.AddRotate(45.5f, 0, 10);
}
)";
    const Start compiled = RunStart({{"Animation\\effects.as", script}});
    const std::string good = ReadFile(ByteCodeFile());
    const std::string body = good.substr(0, good.size() - 24);
    const std::string keyed = good.substr(good.size() - 8);
    ASSERT_EQ(WithTrailer(body, keyed), good);
    int stopped = 0;
    // About 150 places spread over the whole body.
    const std::size_t stride = std::max<std::size_t>(1, body.size() / 150);
    for (std::size_t at = 0; at < body.size(); at += stride) {
        SCOPED_TRACE(at);
        std::filesystem::remove(ByteCodeFile());
        const Start start = RunStart({{"Animation\\effects.bs", WithTrailer(Changed(body, at), keyed)},
                                      {"Animation\\effects.as", script}});
        const bool refused = std::find(start.log.begin(), start.log.end(),
                                       "Can't load the script byte code Animation\\effects.bs, compiling "
                                       "Animation\\effects.as") != start.log.end();
        if (refused) {
            EXPECT_EQ(start.tables, compiled.tables);
        }
        for (const std::string& line : start.log)
            stopped += line.find("failed its trial load") != std::string::npos ? 1 : 0;
    }
    // Some of them stop the library's loader where it stands: the trial took those.
    EXPECT_GT(stopped, 0);
}

// The byte code is written as the save files are: never through a link standing for its folder.
TEST_F(ScriptByteCodeTest, ByteCodeIsNotWrittenThroughALinkedFolder) {
    std::filesystem::create_directory(data / "elsewhere");
    std::filesystem::create_directory_symlink(data / "elsewhere", data / "Animation");
    const Start start = RunStart({{"Animation\\effects.as", source}});
    EXPECT_NE(start.tables.find("interfaces.publisher"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(data / "elsewhere"));
    EXPECT_EQ(start.log, std::vector<std::string>{"Can't save the script byte code " + ByteCodeFile() + ": " +
                                                  (data / "Animation") + " is not a folder of its own"});
}

TEST_F(ScriptByteCodeTest, ResourceManagerLoadRunsTheResourceScript) {
    CRecordingEngine engine;
    engine.AddResource("Animation\\effects.as", source);
    THolder<CResource> resource(new CResource);
    EXPECT_TRUE(resource->Load());
    EXPECT_TRUE(resource->GetAnimationDataByPath("interfaces.publisher"));
    EXPECT_TRUE(std::filesystem::exists(ByteCodeFile()));
}

TEST_F(ScriptByteCodeTest, UnwritableDataFolderStillFillsTheTables) {
    WriteFile(data / "not-a-folder", "x");
    CScopedEnv file("QUINDLE_DATA_DIR", data / "not-a-folder");
    const Start start = RunStart({{"Animation\\effects.as", source}});
    EXPECT_NE(start.tables.find("interfaces.publisher"), std::string::npos);
    EXPECT_EQ(start.log, std::vector<std::string>{});
}

TEST_F(ScriptByteCodeTest, NoScriptAtAllLeavesTheTablesEmpty) {
    const Start start = RunStart({});
    EXPECT_EQ(start.tables, "sprite infos 0\n");
    EXPECT_EQ(start.log, std::vector<std::string>{"Can't find the resource script Animation\\effects.as"});
}

TEST(BinaryStreamHelp, NeverReadsPastTheBytesLeft) {
    CMemoryInputStream in({1, 2, 3, 4, 5});
    CBinaryStreamHelp stream(&in);
    unsigned char buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(stream.Read(buffer, 2), 0);
    EXPECT_EQ(buffer[1], 2);
    EXPECT_LT(stream.Read(buffer, 4), 0);  // three left
    EXPECT_EQ(in.position, 2u);
    EXPECT_EQ(buffer[0], 0);  // a refused read hands back zeros, not stale bytes
    EXPECT_EQ(stream.Read(buffer, 3), 0);
    EXPECT_EQ(buffer[2], 5);
    EXPECT_LT(stream.Read(buffer, 1), 0);

    CBinaryStreamHelp nothing(nullptr);
    EXPECT_LT(nothing.Read(buffer, 1), 0);
    EXPECT_LT(nothing.Write(buffer, 1), 0);
    CMemoryOutputStream out;
    CBinaryStreamHelp writer(nullptr, &out);
    EXPECT_EQ(writer.Write(buffer, 3), 0);
    EXPECT_EQ(out.data.size(), 3u);
}

// "/cr SOURCE DEST": what the compile mode prints and writes.
TEST_F(ScriptByteCodeTest, CompileModeWritesByteCodeOnlyForAScriptThatBuilds) {
    WriteFile(data / "good.as", source);
    WriteFile(data / "bad.as", "void FillResource(CResourceReader@ r) { r.AddFont(\"a\") }\n");
    struct Case {
        std::string source, destination;
        bool written;
        std::string printed;
    };
    const Case cases[] = {
        {data / "missing.as", data / "out1.bs", false,
         "ERROR can't open source file " + (data / "missing.as") + " for read \n"},
        {data / "good.as", data / "no/such/folder/out2.bs", false,
         "ERROR can't open destination file " + (data / "no/such/folder/out2.bs") + " for write \n"},
        {data / "bad.as", data / "out3.bs", false, ""},
        {data / "good.as", data / "out4.bs", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source + " " + c.destination);
        CRecordingEngine engine;
        testing::internal::CaptureStdout();
        const bool ok = CompileResourceScript(c.source.c_str(), c.destination.c_str());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.printed);
        EXPECT_EQ(ok, c.written);
        EXPECT_EQ(std::filesystem::exists(c.destination), c.written);
    }

    // What the compile mode writes is byte code the program loads into the same tables.
    const Start compiled = RunStart({{"Animation\\effects.as", source}});
    const Start loaded = RunStart({{"Animation\\effects.bs", ReadFile(data / "out4.bs")}});
    EXPECT_EQ(loaded.log, std::vector<std::string>{});
    EXPECT_EQ(loaded.tables, compiled.tables);
}

}  // namespace

TEST(ScriptEngine, AnEmptyLoadedBlockBuildsWithoutReadingPastIt) {
    // A block as the resource loader hands it over: no terminator after its last byte.
    std::unique_ptr<char[]> block(new char[1]{'x'});
    CScriptEngine engine;
    EXPECT_TRUE(engine.Build(block.get(), 0));
    EXPECT_TRUE(engine.Build(nullptr, 5));
}
