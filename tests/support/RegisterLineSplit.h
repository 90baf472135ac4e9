#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::testing_support {

// The register's lines as the format gives them, written out plainly and independently of the
// code under test: each line ends at CR LF or at a lone CR; a last line may lack its line end.
// The register tests and the register's fuzzer compare the reader and the removal against it.
inline std::vector<std::string> splitRegisterLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t cr = bytes.find('\r', pos);
        if (cr == std::string_view::npos) {
            lines.emplace_back(bytes.substr(pos));
            break;
        }
        lines.emplace_back(bytes.substr(pos, cr - pos));
        pos = cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? cr + 2 : cr + 1;
    }
    return lines;
}

}  // namespace quorvane::testing_support
