#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path (UTF-8, native separators, no trailing separator).
    const std::string& path() const { return m_path; }
    // `path()` joined with `name` by the native separator.
    std::string operator/(const std::string& name) const;

private:
    std::string m_path;
};

// Small file helpers for assertions: whole contents as bytes, and writing them.
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
void makeDir(const std::string& path);
bool exists(const std::string& path);
// Bytes written as hex text, two lower-case digits a byte; blanks and bars (to mark fields) are ignored.
std::string hexBytes(std::string_view hex);
// The names in a folder, sorted (hidden ones too): shows that no temporary file was left behind.
std::vector<std::string> namesIn(const std::string& folder);

}  // namespace quorvane::test
