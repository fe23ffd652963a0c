#pragma once
#include <cstdint>
#include <string>

#include "framework/core/RefCount.h"
#include "framework/core/WString.h"

namespace GF {

// A source of bytes. Readers check every count they read against Remaining() before they allocate
// or loop, and a read that runs past the end marks the stream failed, so a corrupt file is refused
// instead of trusted.
class CInputStream {
public:
    virtual ~CInputStream() = default;
    // Copies up to n bytes; answers how many were copied. A short read marks the stream failed.
    virtual unsigned Read(void* buffer, unsigned n) = 0;
    virtual unsigned Skip(unsigned n) = 0;
    // Bytes left before the end.
    virtual unsigned Remaining() const = 0;

    bool Failed() const { return m_failed; }
    void SetFailed() { m_failed = true; }

private:
    bool m_failed = false;
};

class COutputStream {
public:
    virtual ~COutputStream() = default;
    virtual unsigned Write(const void* buffer, unsigned n) = 0;
    virtual unsigned WriteZeros(unsigned n) = 0;

    bool Failed() const { return m_failed; }
    void SetFailed() { m_failed = true; }

private:
    bool m_failed = false;
};

// A reference-counted input stream that can be opened by name.
class IDataInputStream : public CRefCount, public CInputStream {
public:
    virtual bool Open(const char* path) = 0;
    virtual bool OpenW(const WString& path) = 0;
};

class IDataOutputStream : public CRefCount, public COutputStream {
public:
    virtual void Close() = 0;
    virtual bool OpenW(const WString& path) = 0;
};

// The binary encoding of the system's files: big-endian fixed integers; counts in 7-bit groups, low
// group first, the high bit set while more follow; a string is a count and its bytes; a wide string a
// count of UTF-16 units, each high byte first.

// Reads one count. A stream that ends inside it, or a count longer than five bytes, marks the stream
// failed and answers 0.
unsigned ReadVarUInt(CInputStream& in);
// False (and the stream failed) when the stream ends early.
bool ReadUInt32BE(CInputStream& in, uint32_t& value);
bool ReadInt32BE(CInputStream& in, int32_t& value);
// The game's data files keep floats least significant byte first; the bits pass unchanged.
bool ReadFloatLE(CInputStream& in, float& value);
bool ReadUInt16BE(CInputStream& in, uint16_t& value);
bool ReadByte(CInputStream& in, uint8_t& value);
// Empty the string, then read it; a length beyond the bytes left fails before anything is allocated.
bool ReadString(CInputStream& in, std::string& text);
bool ReadWString(CInputStream& in, WString& text);

void WriteUInt32BE(COutputStream& out, uint32_t value);
void WriteInt32BE(COutputStream& out, int32_t value);
void WriteFloatLE(COutputStream& out, float value);
void WriteUInt16BE(COutputStream& out, uint16_t value);
void WriteByte(COutputStream& out, uint8_t value);
void WriteVarUInt(COutputStream& out, uint32_t value);
void WriteString(COutputStream& out, const std::string& text);
void WriteWString(COutputStream& out, const WString& text);

}  // namespace GF
