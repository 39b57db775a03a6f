/*
 * The portable core never sees the platform: only the Win32 front-end files,
 * named *_win32.cpp or *_win32.h, may include windows.h. This keeps every
 * decision where the native tests reach it.
 */
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool IsWin32File(const fs::path& path)
{
    const std::string stem = path.stem().string();
    return stem.size() > 6 && stem.compare(stem.size() - 6, 6, "_win32") == 0;
}

// True when a line of the file includes the platform header, in any case
// of its name (MinGW's file system does not care).
bool IncludesWindowsHeader(const fs::path& path)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::string lower;
        for (char c : line)
            lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        const size_t include = lower.find("#include");
        if (include != std::string::npos && lower.find("windows.h", include) != std::string::npos)
            return true;
    }
    return false;
}

TEST(Layering, OnlyWin32FilesIncludeWindowsHeader)
{
    const fs::path sourceRoot = fs::path(VELLIPA_SOURCE_DIR) / "src";
    ASSERT_TRUE(fs::is_directory(sourceRoot));
    std::vector<std::string> offenders;
    int portableFiles = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(sourceRoot)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h")
            continue;
        if (IsWin32File(entry.path()))
            continue;
        ++portableFiles;
        if (IncludesWindowsHeader(entry.path()))
            offenders.push_back(entry.path().string());
    }
    EXPECT_GT(portableFiles, 0);
    EXPECT_TRUE(offenders.empty()) << "windows.h outside the front end: " << offenders.front();
}

}  // namespace
