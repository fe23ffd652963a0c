#include "framework/resources/ScriptCompiler.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "framework/core/DataStreams.h"
#include "framework/core/Holder.h"
#include "framework/resources/ResourceReader.h"
#include "framework/resources/ScriptEngine.h"

namespace GF {
namespace HGENS {

namespace {

void Report(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace

bool CompileResourceScript(const char* source, const char* destination) {
    const std::string sourcePath = source ? source : "";
    const std::string destinationPath = destination ? destination : "";
    THolder<CResourceReader> reader(new CResourceReader(nullptr));

    std::ifstream in(sourcePath, std::ios::binary);
    if (!in.is_open()) {
        Report("ERROR can't open source file " + sourcePath + " for read \n");
        return false;
    }
    // As read line by line, each line given back its line feed: the text and one more. Only as much
    // as the compiler may take is read, so that a huge file is refused without being held.
    std::string text(CScriptEngine::kMaxSourceBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    // The byte code is keyed by the file's own bytes, as the program finds them beside it at start-up.
    const std::size_t fileSize = text.size();
    text += '\n';
    in.close();

    if (!reader->Script().Build(text.data(), static_cast<unsigned>(text.size()))) return false;

    CDataOutputStream out;
    if (!out.OpenW(Utf8ToUtf16(destinationPath))) {
        Report("ERROR can't open destination file " + destinationPath + " for write \n");
        return false;
    }
    bool saved = reader->Script().SaveByteCode(out, std::string_view(text.data(), fileSize));
    out.Close();
    saved = saved && !out.Failed();
    if (!saved) std::remove(destinationPath.c_str());
    return saved;
}

}  // namespace HGENS
}  // namespace GF
