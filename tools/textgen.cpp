// Builds the text table Binary/textdata.txt from its readable source: UTF-8 lines "key=text".
// Blank lines and lines starting with '#' are skipped; the text is everything after the first '='
// (a backslash followed by "n" stays as it is: it is the line break the fonts draw).
//
//   textgen <textdata.txt> <output file>

#include <cstdio>
#include <fstream>
#include <string>

#include "framework/core/WString.h"
#include "tests/support/TextTableWriter.h"
#include "tools/OutputFiles.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: textgen <textdata.txt> <output file>\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "textgen: %s: cannot open\n", argv[1]);
        return 1;
    }
    std::vector<std::pair<std::string, GF::WString>> entries;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
        if (line.empty() || line[0] == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0) {
            std::fprintf(stderr, "textgen: %s:%d: expected key=text\n", argv[1], number);
            return 1;
        }
        entries.emplace_back(line.substr(0, equals), GF::Utf8ToUtf16(line.substr(equals + 1)));
    }

    return WriteOutputFile("textgen", argv[2], WriteTextTable(entries, {u"\r\n", true})) ? 0 : 1;
}
