#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvane {

// The lines of a text file such as the register, held as the file's bytes in one block with the
// offset where each line starts: no allocation per line, however long the file. A line ends at
// CR LF or a lone CR, which are not part of its text; a lone LF belongs to the line; a last line
// without line end counts. Texts are the file's bytes; `text` gives them as the program's text
// through the decoder the lines were made with (the file's code page, see FileSystem).
class RegisterLines {
public:
    using Decode = std::function<std::string(std::string_view bytes)>;

    RegisterLines() = default;
    // Splits `bytes` into lines; `decode` turns a line's bytes into text (none: the bytes are the text).
    explicit RegisterLines(std::string bytes, Decode decode = {});

    std::size_t size() const { return m_starts.empty() ? 0 : m_starts.size() - 1; }
    bool empty() const { return size() == 0; }
    // Line `index`'s bytes, without its line end.
    std::string_view line(std::size_t index) const;
    // Line `index` as text.
    std::string text(std::size_t index) const;
    // Every line in order with its line end, as the file held them (less the lines removed).
    const std::string& bytes() const { return m_bytes; }

    // Appends the lines of `more` after these (the lines stay as they were split: a last line here
    // without its line end stays a line of its own).
    void append(RegisterLines&& more);
    // Takes line `index` out so that every other line reads as before (see cutForRemoval).
    void remove(std::size_t index);

private:
    std::string m_bytes;
    std::vector<std::size_t> m_starts{0};  // where each line starts, and last the end of the bytes
    Decode m_decode;
};

// Where the line [begin, end) of `bytes` (its text and its line end) lies.
struct LineSpan {
    std::size_t begin = 0;
    std::size_t textEnd = 0;
    std::size_t end = 0;
};

// The bytes [first, second) to cut out of `bytes` to take `line` away with every other line
// reading as before. That is the line with its own line end, except where the line before ends
// with a lone CR and the line after starts with LF: those two would fuse into one CR LF, so the
// lone CR goes instead and the removed line's CR LF ends the line before.
std::pair<std::size_t, std::size_t> cutForRemoval(std::string_view bytes, const LineSpan& line);

}  // namespace quorvane
