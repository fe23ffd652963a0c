#include "tests/support/TextTableWriter.h"

std::vector<unsigned char> EncodeUtf16Le(const GF::WString& units, bool withBom) {
    std::vector<unsigned char> bytes;
    bytes.reserve(2 * units.size() + 2);
    auto put = [&bytes](char16_t c) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    };
    if (withBom) put(0xFEFF);
    for (char16_t c : units) put(c);
    return bytes;
}

std::vector<unsigned char> WriteTextTable(const std::vector<std::pair<std::string, GF::WString>>& entries,
                                          const TTextTableLayout& layout) {
    GF::WString units;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        units += GF::Widen(entries[i].first) + layout.lineEnd;
        units += layout.prefix + entries[i].second;
        if (i + 1 < entries.size() || layout.endsWithLineEnd) units += layout.lineEnd;
    }
    return EncodeUtf16Le(units);
}
