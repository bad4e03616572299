// A private temporary directory for a test, removed with everything in it afterwards.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class CTestTempDir {
public:
    CTestTempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zqtest.XXXXXX").string();
        if (mkdtemp(&pattern[0]))
            m_path = pattern;
    }
    ~CTestTempDir()
    {
        std::error_code ec;
        if (!m_path.empty()) {
            std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ec);
            std::filesystem::remove_all(m_path, ec);
        }
    }
    CTestTempDir(const CTestTempDir&) = delete;
    CTestTempDir& operator=(const CTestTempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

    static void WriteBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string ReadBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Number of entries in the directory.
    int CountEntries() const
    {
        int n = 0;
        for (auto& e : std::filesystem::directory_iterator(m_path)) {
            (void)e;
            ++n;
        }
        return n;
    }

private:
    std::string m_path;
};
