#include "game/app/DataFormat.h"

std::string CBinaryReader::Where() const {
    const std::string reason = m_reason.empty() ? "the data ends early" : m_reason;
    return m_path.empty() ? reason : m_path + ": " + reason;
}

void CBinaryReader::Flag(const char* key, bool& value) {
    Primitive(key, [&] {
        uint8_t byte = 0;
        if (GF::ReadByte(m_in, byte)) value = byte != 0;
    });
}

void CBinaryReader::Ignored() {
    Primitive("(ignored byte)", [&] {
        uint8_t byte = 0;
        GF::ReadByte(m_in, byte);
    });
}

bool CBinaryReader::Count(uint32_t& count, uint64_t elementSize, uint64_t elementMemory) {
    if (!GF::ReadUInt32BE(m_in, count)) return false;
    const uint64_t left = m_in.Remaining();
    if (uint64_t{count} * elementSize > left) {
        Fail("count " + std::to_string(count) + " cannot fit in the " + std::to_string(left) + " bytes left");
        return false;
    }
    m_listBytes += uint64_t{count} * elementMemory;
    if (m_listBytes > kMostListBytes) {
        Fail("count " + std::to_string(count) + " takes the file's lists past " +
             std::to_string(kMostListBytes >> 20) + " MB");
        return false;
    }
    return true;
}

void CBinaryReader::Fail(const std::string& reason) {
    m_reason = reason;
    m_in.SetFailed();
}

void CBinaryReader::NoteKey(const char* key) {
    if (key) Prepend(key);
}

void CBinaryReader::NoteIndex(uint32_t index) {
    std::string step(1, '[');
    step += std::to_string(index);
    step += ']';
    Prepend(std::move(step));
}

void CBinaryReader::Prepend(std::string step) {
    if (!m_path.empty() && m_path.front() != '[') step += '.';
    step += m_path;
    m_path = std::move(step);
}

void CBinaryReader::ReadList(std::vector<bool>& list) {
    uint32_t count = 0;
    if (!Count(count, 1, 1)) return;
    list.assign(count, false);
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t byte = 0;
        if (!GF::ReadByte(m_in, byte)) return NoteIndex(i);
        list[i] = byte != 0;
    }
}

void CBinaryReader::Element(GF::TPoint<float>& point) {
    GF::ReadFloatLE(m_in, point.x);
    GF::ReadFloatLE(m_in, point.y);
}

void CBinaryReader::Element(CMarkedPoint& point) {
    uint8_t ignored = 0;
    GF::ReadByte(m_in, ignored);
    Element(static_cast<GF::TPoint<float>&>(point));
}
