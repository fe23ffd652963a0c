#pragma once
#include <cstdio>

#include "engine/Hge.h"
#include "framework/core/Holder.h"
#include "framework/core/Stream.h"

namespace GF {
namespace HGENS {

// A plain file read from disk. Opening anything else at the name (a pipe, a device, a directory)
// fails at once with errno EINVAL, and a failed open leaves errno as the system set it.
class CDataInputStream : public IDataInputStream {
public:
    ~CDataInputStream() override;
    bool Open(const char* path) override;
    bool OpenW(const WString& path) override;
    unsigned Read(void* buffer, unsigned n) override;
    unsigned Skip(unsigned n) override;
    unsigned Remaining() const override;

private:
    std::FILE* m_file = nullptr;
    unsigned m_size = 0;
    unsigned m_position = 0;
};

// A file written to disk, replacing what was there (a link in its place is replaced, not followed).
class CDataOutputStream : public IDataOutputStream {
public:
    ~CDataOutputStream() override;
    void Close() override;
    bool OpenW(const WString& path) override;
    unsigned Write(const void* buffer, unsigned n) override;
    unsigned WriteZeros(unsigned n) override;

private:
    std::FILE* m_file = nullptr;
};

// A block loaded through the engine's resource loader (the archive first, then the disk).
class CBlobReader : public IDataInputStream {
public:
    CBlobReader();
    ~CBlobReader() override;
    bool Open(const char* name) override;
    bool OpenW(const WString& name) override;
    unsigned Read(void* buffer, unsigned n) override;
    unsigned Skip(unsigned n) override;
    unsigned Remaining() const override { return m_size - m_position; }

    const unsigned char* Data() const { return m_block; }
    unsigned Size() const { return m_size; }

private:
    void Free();

    unsigned m_size = 0;
    unsigned m_position = 0;
    unsigned char* m_block = nullptr;
    HGE* m_hge = nullptr;
};

}  // namespace HGENS

THolder<IDataInputStream> CreateDataInputStream();
THolder<IDataOutputStream> CreateDataOutputStream();
THolder<IDataInputStream> CreateBlobReader();

}  // namespace GF
