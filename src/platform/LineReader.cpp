#include "platform/LineReader.h"

#include <cstring>

#include "platform/Error.h"

namespace quorvane {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

bool LineReader::fill(const Read& read) {
    if (m_pos < m_input.size()) return true;
    if (m_done) return false;
    m_input.resize(kBufferSize);
    m_pos = 0;
    std::size_t got = 0;
    try {
        got = read(m_input.data(), m_input.size());
    } catch (...) {
        m_input.clear();
        throw;
    }
    m_input.resize(got);
    if (got == 0) m_done = true;
    return got > 0;
}

std::string LineReader::readLine(const Read& read) {
    if (!fill(read)) throw PlatformError(errc::InputPastEndOfFile, describeError(errc::InputPastEndOfFile));
    // CR is never the second byte of a double-byte character, so lines are cut before decoding.
    std::string line;
    while (fill(read)) {
        const char* begin = m_input.data() + m_pos;
        const char* end = m_input.data() + m_input.size();
        const void* cr = std::memchr(begin, '\r', static_cast<std::size_t>(end - begin));
        if (!cr) {
            line.append(begin, end);
            m_pos = m_input.size();
            continue;
        }
        const char* at = static_cast<const char*>(cr);
        line.append(begin, at);
        m_pos += static_cast<std::size_t>(at - begin) + 1;
        if (fill(read) && m_input[m_pos] == '\n') ++m_pos;
        break;
    }
    return line;
}

}  // namespace quorvane
