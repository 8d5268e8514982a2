// A scratch folder that is removed with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return root; }
    std::filesystem::path operator/(const std::string& name) const { return root / name; }

    // Writes `text` to a file under the folder, creating parent folders.
    std::filesystem::path write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path root;
};

// The whole content of a file, or empty text when it cannot be read.
std::string readFile(const std::filesystem::path& path);
