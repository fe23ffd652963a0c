#pragma once
#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/core/Stream.h"

namespace GF {

// Streams over memory: a file's bytes gathered before they are checked or written whole, and
// fixtures in the system's encoding read back.
class CMemoryOutputStream : public COutputStream {
public:
    unsigned Write(const void* buffer, unsigned n) override {
        const auto* bytes = static_cast<const unsigned char*>(buffer);
        data.insert(data.end(), bytes, bytes + n);
        return n;
    }
    unsigned WriteZeros(unsigned n) override {
        data.insert(data.end(), n, 0);
        return n;
    }
    std::vector<unsigned char> data;
};

class CMemoryInputStream : public CInputStream {
public:
    explicit CMemoryInputStream(std::vector<unsigned char> bytes) : data(std::move(bytes)) {}
    unsigned Read(void* buffer, unsigned n) override {
        const unsigned step = std::min<unsigned>(n, Remaining());
        if (step) std::memcpy(buffer, data.data() + position, step);
        position += step;
        if (step < n) SetFailed();
        return step;
    }
    unsigned Skip(unsigned n) override {
        const unsigned step = std::min<unsigned>(n, Remaining());
        position += step;
        return step;
    }
    unsigned Remaining() const override { return static_cast<unsigned>(data.size()) - position; }

    std::vector<unsigned char> data;
    unsigned position = 0;
};

}  // namespace GF
