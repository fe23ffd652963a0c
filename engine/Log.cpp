#include "engine/Log.h"

#include <vector>

#include "engine/FileOpen.h"

namespace Engine {

CLog::~CLog() {
    Close();
}

void CLog::SetFile(const std::string& path) {
    Close();
    m_path = path;
    if (m_path.empty()) return;
    // Beside the player's files: a link in its place is replaced, not written through.
    m_file = OpenForWriting(m_path);
    if (!m_file) std::fprintf(stderr, "Can't open log file %s\n", m_path.c_str());
}

void CLog::Close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
}

void CLog::Write(const char* format, ...) {
    va_list args;
    va_start(args, format);
    WriteV(format, args);
    va_end(args);
}

void CLog::WriteV(const char* format, va_list args) {
    if (!format) return;
    char small[512];
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (length < 0) return;
    const char* text = small;
    std::vector<char> large;
    if (static_cast<size_t>(length) >= sizeof small) {
        large.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(large.data(), large.size(), format, args);
        text = large.data();
    }
    std::fprintf(stderr, "%s\n", text);
    if (m_file) {
        std::fprintf(m_file, "%s\n", text);
        std::fflush(m_file);
    }
}

}  // namespace Engine
