#include "engine/Log.h"

#include <cerrno>
#include <cstring>
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
    // Beside the player's files: a link in its place is replaced, not written through. A pipe, a
    // device or a socket is replaced too, which whoever put it there must hear of.
    const std::string was = WhatIsAt(m_path);
    m_file = OpenForWriting(m_path);
    if (!m_file) {
        std::fprintf(stderr, "Can't open log file %s: %s\n", m_path.c_str(), std::strerror(errno));
    } else if (was == "a FIFO" || was == "a device" || was == "a socket") {
        Write("%s was %s, not a file: this log took its place", m_path.c_str(), was.c_str());
    }
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
