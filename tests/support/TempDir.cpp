#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/PathSeparator.h"

namespace fs = std::filesystem;

namespace quorvane::test {

namespace {
fs::path u8(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }
std::string fromU8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}
}  // namespace

TempDir::TempDir() {
    std::random_device rd;
    std::mt19937_64 gen(rd());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::ostringstream name;
        name << "quorvane-test-" << std::hex << gen();
        const fs::path candidate = fs::temp_directory_path() / name.str();
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            m_path = fromU8(fs::canonical(candidate));
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(u8(m_path), ec);
}

std::string TempDir::operator/(const std::string& name) const { return m_path + kSeparator + name; }

std::string readBytes(const std::string& path) {
    std::ifstream in(u8(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(u8(path), std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out << bytes;
}

void makeDir(const std::string& path) { fs::create_directories(u8(path)); }

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(u8(path), ec);
}

std::string hexBytes(std::string_view hex) {
    std::string out;
    int high = -1;
    for (char c : hex) {
        if (c == ' ' || c == '|') continue;
        const int digit = c <= '9' ? c - '0' : c - 'a' + 10;
        if (high < 0) {
            high = digit;
        } else {
            out.push_back(static_cast<char>(high * 16 + digit));
            high = -1;
        }
    }
    return out;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(u8(folder))) names.push_back(fromU8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace quorvane::test
