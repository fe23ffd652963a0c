#pragma once
// The engine's log: one line per call, to stderr and, once a file is named, to that file too.
// The engine object and its parts (renderer, sound, resource packs) all write through one log.

#include <cstdarg>
#include <cstdio>
#include <string>

namespace Engine {

class CLog {
public:
    CLog() = default;
    ~CLog();
    CLog(const CLog&) = delete;
    CLog& operator=(const CLog&) = delete;

    // Names the log file and empties it; an empty name writes to stderr only.
    void SetFile(const std::string& path);
    const std::string& File() const { return m_path; }
    void Close();

    void Write(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void WriteV(const char* format, va_list args);

private:
    std::string m_path;
    FILE* m_file = nullptr;
};

}  // namespace Engine
