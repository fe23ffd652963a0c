#include <gtest/gtest.h>

#include <filesystem>
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
    const std::string source = ReadWholeFile(kSampleScript);
};

std::string Changed(std::string bytes, std::size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
    return bytes;
}

// Byte code is loaded only when this very build wrote it for this very script; any other file is
// never handed to the script library, which trusts what it loads: the start compiles the source beside
// it, as when there is none, and the fresh byte code replaces the file.
TEST_F(ScriptByteCodeTest, ByteCodeIsUsedOnlyWhenThisBuildWroteItForThisScript) {
    ASSERT_FALSE(source.empty()) << kSampleScript;
    const std::string older = "void FillResource(CResourceReader@ r) { r.CreateModule(\"old\"); }\n";
    RunStart({{"Animation\\effects.as", older}});
    const std::string olderByteCode = ReadWholeFile(ByteCodeFile());
    std::filesystem::remove(ByteCodeFile());

    const Start compiled = RunStart({{"Animation\\effects.as", source}});
    EXPECT_EQ(compiled.log, std::vector<std::string>{});
    EXPECT_NE(compiled.tables.find("interfaces.publisher"), std::string::npos) << compiled.tables;
    const std::string own = ReadWholeFile(ByteCodeFile());
    ASSERT_GT(own.size(), 24u);
    ASSERT_NE(olderByteCode, own);

    struct Case {
        const char* what;
        std::string byteCode;
        bool withSource;
        bool loaded;
    };
    const Case cases[] = {
        {"own", own, true, true},
        {"own, the only form there is", own, false, true},
        {"own for an older script", olderByteCode, true, false},
        // The same library bytes, checked by a build of other sources.
        {"another build's", Changed(own, own.size() - 1), true, false},
        {"a byte changed inside", Changed(own, own.size() / 3), true, false},
        {"a byte changed in the trailer's length", Changed(own, own.size() - 18), true, false},
        {"truncated", own.substr(0, own.size() / 2), true, false},
        {"one byte short", own.substr(0, own.size() - 1), true, false},
        {"without its trailer", own.substr(0, own.size() - 24), true, false},
        {"a byte more", own + '\0', true, false},
        {"empty", "", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(ByteCodeFile());
        std::map<std::string, std::string> files{{"Animation\\effects.bs", c.byteCode}};
        if (c.withSource) files["Animation\\effects.as"] = source;
        const Start start = RunStart(files);
        EXPECT_EQ(start.tables, compiled.tables);
        if (c.loaded) {
            EXPECT_EQ(start.log, std::vector<std::string>{});
            EXPECT_FALSE(std::filesystem::exists(ByteCodeFile()));
        } else {
            EXPECT_EQ(start.log,
                      std::vector<std::string>{"Can't load the script byte code Animation\\effects.bs, "
                                               "compiling Animation\\effects.as"});
            EXPECT_EQ(ReadWholeFile(ByteCodeFile()), own);
        }
    }
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
    WriteWholeFile(data / "not-a-folder", "x");
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
    WriteWholeFile(data / "good.as", source);
    WriteWholeFile(data / "bad.as", "void FillResource(CResourceReader@ r) { r.AddFont(\"a\") }\n");
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

    // What the compile mode writes is byte code the program loads, beside the same source, into the
    // same tables.
    const Start compiled = RunStart({{"Animation\\effects.as", source}});
    std::filesystem::remove(ByteCodeFile());
    const Start loaded = RunStart(
        {{"Animation\\effects.bs", ReadWholeFile(data / "out4.bs")}, {"Animation\\effects.as", source}});
    EXPECT_EQ(loaded.log, std::vector<std::string>{});
    EXPECT_EQ(loaded.tables, compiled.tables);
    EXPECT_FALSE(std::filesystem::exists(ByteCodeFile()));
}

}  // namespace

TEST(ScriptEngine, AnEmptyLoadedBlockBuildsWithoutReadingPastIt) {
    // A block as the resource loader hands it over: no terminator after its last byte.
    std::unique_ptr<char[]> block(new char[1]{'x'});
    CScriptEngine engine;
    EXPECT_TRUE(engine.Build(block.get(), 0));
    EXPECT_TRUE(engine.Build(nullptr, 5));
}
