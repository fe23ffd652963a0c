#include "framework/core/Stream.h"

#include <cstring>
#include <vector>

namespace GF {

unsigned ReadVarUInt(CInputStream& in) {
    uint32_t value = 0;
    for (int group = 0; group < 5; ++group) {
        uint8_t byte = 0;
        if (!ReadByte(in, byte)) return 0;
        value |= static_cast<uint32_t>(byte & 0x7F) << (7 * group);
        if ((byte & 0x80) == 0) return value;
    }
    in.SetFailed();  // more than five groups cannot be a 32-bit count
    return 0;
}

bool ReadByte(CInputStream& in, uint8_t& value) {
    value = 0;
    return in.Read(&value, 1) == 1;
}

bool ReadUInt32BE(CInputStream& in, uint32_t& value) {
    uint8_t b[4] = {};
    value = 0;
    if (in.Read(b, 4) != 4) return false;
    value = (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | uint32_t{b[3]};
    return true;
}

bool ReadInt32BE(CInputStream& in, int32_t& value) {
    uint32_t u = 0;
    const bool ok = ReadUInt32BE(in, u);
    value = static_cast<int32_t>(u);
    return ok;
}

bool ReadFloatLE(CInputStream& in, float& value) {
    uint8_t b[4] = {};
    const bool ok = in.Read(b, 4) == 4;
    const uint32_t u =
        ok ? (uint32_t{b[3]} << 24) | (uint32_t{b[2]} << 16) | (uint32_t{b[1]} << 8) | uint32_t{b[0]} : 0;
    std::memcpy(&value, &u, sizeof value);
    return ok;
}

bool ReadUInt16BE(CInputStream& in, uint16_t& value) {
    uint8_t b[2] = {};
    value = 0;
    if (in.Read(b, 2) != 2) return false;
    value = static_cast<uint16_t>((b[0] << 8) | b[1]);
    return true;
}

bool ReadString(CInputStream& in, std::string& text) {
    text.clear();
    const unsigned count = ReadVarUInt(in);
    if (in.Failed()) return false;
    if (count == 0) return true;
    if (count > in.Remaining()) {
        in.SetFailed();
        return false;
    }
    text.resize(count);
    return in.Read(text.data(), count) == count;
}

bool ReadWString(CInputStream& in, WString& text) {
    text.clear();
    const unsigned count = ReadVarUInt(in);
    if (in.Failed()) return false;
    if (count > in.Remaining() / 2) {
        in.SetFailed();
        return false;
    }
    text.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        uint16_t unit = 0;
        if (!ReadUInt16BE(in, unit)) return false;
        text.push_back(static_cast<WChar>(unit));
    }
    return true;
}

void WriteByte(COutputStream& out, uint8_t value) {
    out.Write(&value, 1);
}

void WriteUInt32BE(COutputStream& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) WriteByte(out, static_cast<uint8_t>(value >> shift));
}

void WriteInt32BE(COutputStream& out, int32_t value) {
    WriteUInt32BE(out, static_cast<uint32_t>(value));
}

void WriteFloatLE(COutputStream& out, float value) {
    uint32_t u = 0;
    std::memcpy(&u, &value, sizeof u);
    const uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8),
                          static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 24)};
    out.Write(b, 4);
}

void WriteUInt16BE(COutputStream& out, uint16_t value) {
    WriteByte(out, static_cast<uint8_t>(value >> 8));
    WriteByte(out, static_cast<uint8_t>(value));
}

void WriteVarUInt(COutputStream& out, uint32_t value) {
    while (value >= 0x80) {
        WriteByte(out, static_cast<uint8_t>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    WriteByte(out, static_cast<uint8_t>(value));
}

void WriteString(COutputStream& out, const std::string& text) {
    WriteVarUInt(out, static_cast<uint32_t>(text.size()));
    if (!text.empty()) out.Write(text.data(), static_cast<unsigned>(text.size()));
}

void WriteWString(COutputStream& out, const WString& text) {
    WriteVarUInt(out, static_cast<uint32_t>(text.size()));
    for (WChar unit : text) WriteUInt16BE(out, static_cast<uint16_t>(unit));
}

}  // namespace GF
