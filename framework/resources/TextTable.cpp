#include "framework/resources/TextTable.h"

#include "engine/Hge.h"
#include "engine/ResourcePacks.h"

namespace GF {
namespace HGENS {

namespace {

const char kFileName[] = "Binary\\textdata.txt";
const WString kEmptyText;
CTextTable g_textTable;

}  // namespace

CTextTable& CTextTable::Instance() {
    return g_textTable;
}

void CTextTable::Load() {
    m_texts.clear();
    m_index.clear();
    HGE* hge = hgeCreate(HGE_VERSION);
    if (!hge) return;
    DWORD size = 0;
    void* block = hge->Resource_Load(kFileName, &size, Engine::kMaxDataFileBytes);
    if (block) {
        Parse(hge, static_cast<const unsigned char*>(block), size);
        hge->Resource_Free(block);
    }
    hge->Release();
}

void CTextTable::Parse(HGE* hge, const unsigned char* bytes, unsigned size) {
    // A stray last byte is no part of any unit; everything before it still reads.
    if (size % 2 != 0) hge->System_Log("%s: odd byte count %u, the last byte is ignored", kFileName, size);
    const unsigned units = size / 2;
    auto unit = [bytes](unsigned i) { return static_cast<WChar>(bytes[2 * i] | (bytes[2 * i + 1] << 8)); };
    if (units == 0 || unit(0) != 0xFEFF) return;

    unsigned position = 1;
    auto readLine = [&](WString& line) {
        line.clear();
        while (position < units) {
            const WChar c = unit(position++);
            if (c == u'\n') break;
            line.push_back(c);
        }
        if (!line.empty() && line.back() == u'\r') line.pop_back();
    };

    WString key;
    WString text;
    // Said once with a count: a file of nothing but line feeds has millions of them.
    unsigned shortLines = 0;
    std::string firstShort;
    while (position < units) {
        readLine(key);
        if (position >= units) {
            // A blank last line is only the file's end; a real key there lost its text.
            if (!key.empty())
                hge->System_Log("%s: key \"%s\" at the end has no text line", kFileName, Narrow(key).c_str());
            break;
        }
        readLine(text);
        if (text.size() < kPrefixUnits && shortLines++ == 0) firstShort = Narrow(key);
        Add(key, text);
    }
    if (shortLines == 1)
        hge->System_Log("%s: text line of \"%s\" is shorter than its prefix", kFileName, firstShort.c_str());
    else if (shortLines > 1)
        hge->System_Log("%s: %u text lines are shorter than their prefix, the first that of \"%s\"",
                        kFileName, shortLines, firstShort.c_str());
}

void CTextTable::Add(const WString& keyLine, const WString& textLine) {
    const std::string key = Narrow(keyLine);
    m_index.emplace(key, static_cast<int>(m_texts.size()));  // the first occurrence keeps its place
    m_texts.push_back(textLine.size() > kPrefixUnits ? textLine.substr(kPrefixUnits) : WString());
}

const WString* CTextTable::Find(const std::string& key) const {
    auto it = m_index.find(key);
    if (it == m_index.end()) return &kEmptyText;
    return &m_texts[static_cast<std::size_t>(it->second)];
}

}  // namespace HGENS
}  // namespace GF
