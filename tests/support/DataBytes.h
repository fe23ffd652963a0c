#pragma once
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

// Bytes of the game's data files written by hand, field by field, independent of the game's writers:
// integers and counts big-endian, floats little-endian, strings with a one-byte length (below 128).
class CDataBytes {
public:
    CDataBytes& I32(int32_t value) {
        const auto u = static_cast<uint32_t>(value);
        return Raw({static_cast<unsigned char>(u >> 24), static_cast<unsigned char>(u >> 16),
                    static_cast<unsigned char>(u >> 8), static_cast<unsigned char>(u)});
    }
    CDataBytes& N32(uint32_t count) { return I32(static_cast<int32_t>(count)); }
    CDataBytes& F32(float value) {
        uint32_t u = 0;
        std::memcpy(&u, &value, sizeof u);
        return Raw({static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                    static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)});
    }
    CDataBytes& B8(unsigned char value) { return Raw({value}); }
    CDataBytes& Str(const std::string& text) {
        bytes.push_back(static_cast<unsigned char>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    CDataBytes& WStr(const std::u16string& text) {
        bytes.push_back(static_cast<unsigned char>(text.size()));
        for (char16_t unit : text)
            Raw({static_cast<unsigned char>(unit >> 8), static_cast<unsigned char>(unit)});
        return *this;
    }
    CDataBytes& Raw(std::initializer_list<unsigned char> raw) {
        bytes.insert(bytes.end(), raw.begin(), raw.end());
        return *this;
    }
    CDataBytes& Raw(const std::vector<unsigned char>& raw) {
        bytes.insert(bytes.end(), raw.begin(), raw.end());
        return *this;
    }

    std::vector<unsigned char> bytes;
};
