#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace quorvane {

// The read side of a text slot, shared by the file services: the file's bytes read ahead in
// blocks and cut into lines at CR LF or a lone CR, which are consumed; a lone LF is part of the line.
class LineReader {
public:
    // Fills up to `size` bytes and gives how many (0 at the end of the file); throws PlatformError.
    using Read = std::function<std::size_t(char* buffer, std::size_t size)>;

    bool atEnd(const Read& read) { return !fill(read); }
    // The next line as stored; throws InputPastEndOfFile when none is left.
    std::string readLine(const Read& read);

private:
    bool fill(const Read& read);

    std::vector<char> m_input;
    std::size_t m_pos = 0;
    bool m_done = false;
};

}  // namespace quorvane
