#pragma once

#include <filesystem>
#include <random>
#include <string>

// A folder of its own for one test, removed afterwards.
class CTempDir {
public:
    CTempDir() {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() /
                 ("corvel-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~CTempDir() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string Str() const { return m_path.string(); }
    std::string File(const std::string& strName) const { return (m_path / strName).string(); }

private:
    std::filesystem::path m_path;
};
