#pragma once
#include <string>
#include <utility>
#include <vector>

#include "framework/core/WString.h"

// Writes the text table file: UTF-16 little-endian, a byte-order mark, then a key line and a text
// line per entry, each text led by its 8-unit prefix. Used by the tests and by the content tool.
struct TTextTableLayout {
    GF::WString lineEnd = u"\n";  // u"\r\n" for carriage-return pairs
    bool endsWithLineEnd = true;  // false leaves the last text line open
    GF::WString prefix = u"        ";
};

std::vector<unsigned char> WriteTextTable(const std::vector<std::pair<std::string, GF::WString>>& entries,
                                          const TTextTableLayout& layout = {});

// Bytes of UTF-16 units, low byte first, with or without the byte-order mark in front: for tests
// that build damaged files by hand.
std::vector<unsigned char> EncodeUtf16Le(const GF::WString& units, bool withBom = true);
