#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class CTempFolder {
public:
    explicit CTempFolder(const std::string& stem = "quindle-test") {
        std::string pattern = (std::filesystem::temp_directory_path() / (stem + "-XXXXXX")).string();
        if (mkdtemp(pattern.data())) m_path = pattern;
    }
    ~CTempFolder() {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Sets (or, with nullopt, unsets) an environment variable for a scope and puts the old value back.
class CScopedEnv {
public:
    CScopedEnv(const std::string& name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* old = std::getenv(name.c_str())) m_old = old;
        Apply(value);
    }
    ~CScopedEnv() { Apply(m_old); }
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    void Apply(const std::optional<std::string>& value) {
        if (value) {
            setenv(m_name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }

    std::string m_name;
    std::optional<std::string> m_old;
};

// A whole file's bytes, as a string or as another container of bytes; empty when it can't be read.
template <class Bytes = std::string>
Bytes ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Writes the bytes over the file.
inline void WriteWholeFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
inline void WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
