// The register reader and the removal of one line, fuzzed: any bytes as the register, any row.
// Properties: the block splits into the lines the line reader reads (however the file arrives in
// blocks); taking one line out, from the block or from the bytes on disk, leaves exactly the other
// lines reading as before (the nearest equal line to the row shown, for the disk); nothing crashes.
//   build-fuzz/fuzz/fuzz_register [corpus]     (tools/fuzz.sh)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LineReader.h"
#include "protect/Register.h"
#include "protect/RegisterLines.h"
#include "support/RegisterLineSplit.h"

namespace {

using quorvane::LineReader;
using quorvane::RegisterLines;
using quorvane::testing_support::splitRegisterLines;
using Lines = std::vector<std::string>;

Lines linesOf(const RegisterLines& lines) {
    Lines result;
    for (std::size_t i = 0; i < lines.size(); ++i) result.emplace_back(lines.line(i));
    return result;
}

void check(bool holds) {
    if (!holds) std::abort();
}

Lines without(Lines lines, std::size_t row) {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(row));
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t row = static_cast<std::size_t>(data[0]) << 2 | (data[1] & 3);
    const std::size_t chunk = static_cast<std::size_t>(data[1] >> 2) + 1;
    const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    const Lines expected = splitRegisterLines(bytes);

    // The line reader, the file handed over `chunk` bytes at a time.
    LineReader reader;
    std::size_t at = 0;
    const LineReader::Read read = [&](char* buffer, std::size_t room) {
        const std::size_t n = std::min({room, chunk, bytes.size() - at});
        std::memcpy(buffer, bytes.data() + at, n);
        at += n;
        return n;
    };
    Lines read_;
    while (!reader.atEnd(read)) read_.push_back(reader.readLine(read));
    check(read_ == expected);

    // The block.
    const RegisterLines whole(bytes);
    check(linesOf(whole) == expected);
    if (expected.empty()) {
        check(!quorvane::registerWithoutLine(bytes, "", row));
        return 0;
    }

    // One line out of the block.
    const std::size_t shown = row % expected.size();
    RegisterLines fewer(bytes);
    fewer.remove(shown);
    check(linesOf(fewer) == without(expected, shown));
    check(splitRegisterLines(fewer.bytes()) == without(expected, shown));

    // One line out of the bytes on disk: the equal line nearest to `row`, the first of two as near.
    const std::string& entry = expected[shown];
    const auto after = quorvane::registerWithoutLine(bytes, entry, row);
    check(after.has_value());
    std::size_t nearest = expected.size();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] != entry) continue;
        const std::size_t distance = i > row ? i - row : row - i;
        const std::size_t best = nearest > row ? nearest - row : row - nearest;
        if (nearest == expected.size() || distance < best) nearest = i;
    }
    check(splitRegisterLines(*after) == without(expected, nearest));
    // A line can never hold a CR: no line goes for such an entry.
    check(!quorvane::registerWithoutLine(bytes, entry + "\r", row));
    return 0;
}
