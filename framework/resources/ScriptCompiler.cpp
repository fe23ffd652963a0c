#include "framework/resources/ScriptCompiler.h"

#include <cstdio>
#include <fstream>
#include <string>

#include "framework/core/DataStreams.h"
#include "framework/core/Holder.h"
#include "framework/resources/ResourceReader.h"

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

    std::ifstream in(sourcePath);
    if (!in.is_open()) {
        Report("ERROR can't open source file " + sourcePath + " for read \n");
        return false;
    }
    // Line by line, each given back its line feed: a file that ends with one gets one more.
    std::string text;
    std::string line;
    while (in.good()) {
        std::getline(in, line);
        text += line;
        text += '\n';
    }
    in.close();

    if (!reader->Script().Build(text.data(), static_cast<unsigned>(text.size()))) return false;

    CDataOutputStream out;
    if (!out.OpenW(Utf8ToUtf16(destinationPath))) {
        Report("ERROR can't open destination file " + destinationPath + " for write \n");
        return false;
    }
    bool saved = reader->Script().SaveByteCode(out);
    out.Close();
    saved = saved && !out.Failed();
    if (!saved) std::remove(destinationPath.c_str());
    return saved;
}

}  // namespace HGENS
}  // namespace GF
