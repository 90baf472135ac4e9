#include "protect/RegisterLines.h"

#include <algorithm>
#include <cstring>

namespace quorvane {

namespace {

// Where the line after the one starting at `pos` starts; `size` when none follows.
std::size_t nextLine(const char* data, std::size_t pos, std::size_t size) {
    const void* cr = std::memchr(data + pos, '\r', size - pos);
    if (!cr) return size;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(cr) - data) + 1;
    return at < size && data[at] == '\n' ? at + 1 : at;
}

}  // namespace

RegisterLines::RegisterLines(std::string bytes, Decode decode) : m_bytes(std::move(bytes)), m_decode(std::move(decode)) {
    const char* data = m_bytes.data();
    const std::size_t size = m_bytes.size();
    // Counted first, so the index is made in one allocation.
    m_starts.reserve(static_cast<std::size_t>(std::count(m_bytes.begin(), m_bytes.end(), '\r')) + 2);
    for (std::size_t pos = 0; pos < size; pos = nextLine(data, pos, size))
        if (pos != 0) m_starts.push_back(pos);
    if (size > 0) m_starts.push_back(size);
}

std::string_view RegisterLines::line(std::size_t index) const {
    const std::size_t begin = m_starts[index];
    std::size_t end = m_starts[index + 1];
    // The line end is CR LF or a lone CR; a CR never belongs to the text.
    if (end > begin && m_bytes[end - 1] == '\n' && end - begin >= 2 && m_bytes[end - 2] == '\r')
        end -= 2;
    else if (end > begin && m_bytes[end - 1] == '\r')
        end -= 1;
    return std::string_view(m_bytes).substr(begin, end - begin);
}

std::string RegisterLines::text(std::size_t index) const {
    const std::string_view bytes = line(index);
    return m_decode ? m_decode(bytes) : std::string(bytes);
}

void RegisterLines::append(RegisterLines&& more) {
    if (empty()) {
        *this = std::move(more);
        return;
    }
    const std::size_t offset = m_bytes.size();
    m_bytes.append(more.m_bytes);
    m_starts.reserve(m_starts.size() + more.size());
    for (std::size_t i = 1; i < more.m_starts.size(); ++i) m_starts.push_back(offset + more.m_starts[i]);
    if (!m_decode) m_decode = std::move(more.m_decode);
}

void RegisterLines::remove(std::size_t index) {
    const std::size_t begin = m_starts[index];
    const LineSpan span{begin, begin + line(index).size(), m_starts[index + 1]};
    const auto [first, second] = cutForRemoval(m_bytes, span);
    const std::size_t cut = second - first;
    m_bytes.erase(first, cut);
    m_starts.erase(m_starts.begin() + static_cast<std::ptrdiff_t>(index));
    for (std::size_t i = index; i < m_starts.size(); ++i) m_starts[i] -= cut;
}

std::pair<std::size_t, std::size_t> cutForRemoval(std::string_view bytes, const LineSpan& line) {
    const bool fuses = line.begin > 0 && bytes[line.begin - 1] == '\r' && line.end < bytes.size() &&
                       bytes[line.end] == '\n';
    // A line followed by LF ends in CR LF itself: that line end is kept for the line before.
    if (fuses) return {line.begin - 1, line.textEnd};
    return {line.begin, line.end};
}

}  // namespace quorvane
