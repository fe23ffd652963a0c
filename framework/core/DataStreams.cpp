#include "framework/core/DataStreams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/FileOpen.h"
#include "engine/ResourcePacks.h"

namespace GF {
namespace HGENS {

CDataInputStream::~CDataInputStream() {
    if (m_file) std::fclose(m_file);
}

bool CDataInputStream::Open(const char* path) {
    return OpenW(Widen(path ? path : ""));
}

bool CDataInputStream::OpenW(const WString& path) {
    if (m_file) std::fclose(m_file);
    m_size = m_position = 0;
    m_file = Engine::OpenForReading(Utf16ToUtf8(path));
    if (!m_file) {
        const int error = errno;
        SetFailed();
        errno = error;
        return false;
    }
    if (std::fseek(m_file, 0, SEEK_END) == 0) {
        const long size = std::ftell(m_file);
        if (size > 0) m_size = static_cast<unsigned>(std::min<long>(size, 0xFFFFFFFFL));
    }
    std::fseek(m_file, 0, SEEK_SET);
    return true;
}

unsigned CDataInputStream::Read(void* buffer, unsigned n) {
    unsigned got = 0;
    if (m_file) got = static_cast<unsigned>(std::fread(buffer, 1, n, m_file));
    if (got < n) {
        std::memset(static_cast<unsigned char*>(buffer) + got, 0, n - got);
        SetFailed();
    }
    m_position += got;
    return got;
}

unsigned CDataInputStream::Skip(unsigned n) {
    const unsigned step = std::min(n, Remaining());
    if (m_file && step > 0) std::fseek(m_file, step, SEEK_CUR);
    m_position += step;
    return step;
}

unsigned CDataInputStream::Remaining() const {
    return m_position < m_size ? m_size - m_position : 0;
}

CDataOutputStream::~CDataOutputStream() {
    Close();
}

void CDataOutputStream::Close() {
    if (!m_file) return;
    if (std::fflush(m_file) != 0) SetFailed();
    if (std::fclose(m_file) != 0) SetFailed();
    m_file = nullptr;
}

bool CDataOutputStream::OpenW(const WString& path) {
    Close();
    m_file = Engine::OpenForWriting(Utf16ToUtf8(path));
    if (!m_file) {
        SetFailed();
        return false;
    }
    return true;
}

unsigned CDataOutputStream::Write(const void* buffer, unsigned n) {
    if (!m_file) {
        SetFailed();
        return 0;
    }
    const unsigned wrote = static_cast<unsigned>(std::fwrite(buffer, 1, n, m_file));
    if (wrote < n) SetFailed();
    return wrote;
}

unsigned CDataOutputStream::WriteZeros(unsigned n) {
    unsigned wrote = 0;
    const unsigned char zero = 0;
    for (unsigned i = 0; i < n; ++i) wrote += Write(&zero, 1);
    return wrote;
}

CBlobReader::CBlobReader() : m_hge(hgeCreate(HGE_VERSION)) {}

CBlobReader::~CBlobReader() {
    Free();
    if (m_hge) m_hge->Release();
}

void CBlobReader::Free() {
    if (m_block && m_hge) m_hge->Resource_Free(m_block);
    m_block = nullptr;
    m_size = m_position = 0;
}

bool CBlobReader::Open(const char* name) {
    Free();
    if (!m_hge || !name) return false;
    DWORD size = 0;
    m_block = static_cast<unsigned char*>(m_hge->Resource_Load(name, &size, Engine::kMaxDataFileBytes));
    if (!m_block) return false;
    m_size = size;
    return true;
}

bool CBlobReader::OpenW(const WString& name) {
    return Open(Narrow(name).c_str());
}

unsigned CBlobReader::Read(void* buffer, unsigned n) {
    const unsigned step = std::min(n, Remaining());
    if (step > 0) std::memcpy(buffer, m_block + m_position, step);
    if (step < n) {
        std::memset(static_cast<unsigned char*>(buffer) + step, 0, n - step);
        SetFailed();
    }
    m_position += step;
    return step;
}

unsigned CBlobReader::Skip(unsigned n) {
    const unsigned step = std::min(n, Remaining());
    m_position += step;
    return step;
}

}  // namespace HGENS

THolder<IDataInputStream> CreateDataInputStream() {
    return THolder<IDataInputStream>(new HGENS::CDataInputStream);
}
THolder<IDataOutputStream> CreateDataOutputStream() {
    return THolder<IDataOutputStream>(new HGENS::CDataOutputStream);
}
THolder<IDataInputStream> CreateBlobReader() {
    return THolder<IDataInputStream>(new HGENS::CBlobReader);
}

}  // namespace GF
