// A folder's ".hidden", which anyone who may write the folder can plant, and names of any bytes:
// adding and removing a name never writes a line that is neither one of the file's nor the name.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "platform/DosAttributes.h"

namespace {

// A property that does not hold is a finding: said, and the run stops there.
void holds(bool condition, const char* property, int line) {
    if (condition) return;
    std::fprintf(stderr, "property does not hold (line %d): %s\n", line, property);
    std::abort();
}
#define check(condition) holds((condition), #condition, __LINE__)

std::set<std::string_view> linesOf(std::string_view content) {
    std::set<std::string_view> lines;
    while (!content.empty()) {
        const std::size_t lf = content.find('\n');
        lines.insert(content.substr(0, lf));
        if (lf == std::string_view::npos) break;
        content.remove_prefix(lf + 1);
    }
    return lines;
}

bool subset(const std::set<std::string_view>& lines, const std::set<std::string_view>& allowed) {
    for (const std::string_view line : lines)
        if (!allowed.count(line)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvane;
    FuzzedDataProvider input(data, size);
    const std::string name = input.ConsumeRandomLengthString(64);
    const std::string content = input.ConsumeRemainingBytesAsString();
    const bool holdable = hiddenListCanHold(name);
    check(holdable == (!name.empty() && name.find('\n') == std::string::npos && name.back() != '\r'));

    const std::string added = hiddenListAdd(content, name);
    std::set<std::string_view> allowed = linesOf(content);
    if (holdable) {
        check(hiddenListContains(added, name));
        allowed.insert(name);
    } else {
        check(added == content);
    }
    check(subset(linesOf(added), allowed));
    check(hiddenListAdd(added, name) == added);

    const std::string removed = hiddenListRemove(added, name);
    check(subset(linesOf(removed), linesOf(added)));
    if (holdable) check(!hiddenListContains(removed, name));
    if (holdable && !hiddenListContains(content, name)) check(removed == content || removed == content + "\n");
    return 0;
}
