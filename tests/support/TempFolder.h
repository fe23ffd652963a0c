#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

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
