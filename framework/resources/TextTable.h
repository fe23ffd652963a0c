#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/WString.h"

class HGE;

namespace GF {
namespace HGENS {

// Every text the player reads, looked up by a narrow key. The resource manager loads the one
// process-wide table at the end of its start-up; screens, controls and the game read it afterwards.
class CTextTable {
public:
    static CTextTable& Instance();

    // Reads "Binary\\textdata.txt": UTF-16 little-endian with a byte-order mark, key line and text line
    // in pairs, each text line led by an 8-unit prefix that is not part of the text. A file that is
    // missing, empty or has no byte-order mark leaves the table empty. Damage further in (a stray odd
    // byte, a text line shorter than its prefix, a key without its text line) keeps what can be read
    // and logs the rest.
    void Load();

    // The text of the key, or the shared empty text when the key is not in the table. The answer stays
    // valid while the table lives. A key that occurs twice answers its first text.
    const WString* Find(const std::string& key) const;

    // The text at its position in file order (a text description's text number), or null when the
    // number lies outside the table.
    const WString* TextAt(int number) const {
        return number >= 0 && number < static_cast<int>(m_texts.size()) ? &m_texts[number] : nullptr;
    }

    static constexpr unsigned kPrefixUnits = 8;

private:
    void Parse(HGE* hge, const unsigned char* bytes, unsigned size);
    void Add(const WString& keyLine, const WString& textLine);

    std::vector<WString> m_texts;
    std::unordered_map<std::string, int> m_index;
};

}  // namespace HGENS
}  // namespace GF
