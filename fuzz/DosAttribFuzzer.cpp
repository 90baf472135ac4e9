// The value of "user.DOSATTRIB" that Samba, wine or anyone with write access to a folder may have
// planted: read, updated and read again.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/DosAttributes.h"

namespace {

// A property that does not hold is a finding: said, and the run stops there.
void holds(bool condition, const char* property, int line) {
    if (condition) return;
    std::fprintf(stderr, "property does not hold (line %d): %s\n", line, property);
    std::abort();
}
#define check(condition) holds((condition), #condition, __LINE__)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvane;
    FuzzedDataProvider input(data, size);
    const std::uint32_t attributes = input.ConsumeIntegral<std::uint32_t>();
    const bool directory = input.ConsumeBool();
    const std::string stored = input.ConsumeRemainingBytesAsString();

    parseDosAttrib(stored);
    const auto updated = updateDosAttrib(stored, attributes, directory);
    if (!updated) return 0;
    // What is written reads back as what was set (a record keeps the Directory bit as servers do)...
    const auto read = parseDosAttrib(*updated);
    check(read.has_value());
    const std::uint32_t withDirectory = directory ? attributes | 0x10 : attributes & ~0x10u;
    check(*read == attributes || *read == withDirectory);
    // ...and setting it again changes no byte.
    check(updateDosAttrib(*updated, attributes, directory) == updated);
    // Another value and back: the same bytes again, so nothing else in the record moved.
    const auto other = updateDosAttrib(*updated, attributes ^ 0x6, directory);
    check(other.has_value());
    check(updateDosAttrib(*other, attributes, directory) == updated);
    return 0;
}
