#include "protect/ListBoxFile.h"

#include <vector>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/UserMessages.h"
#include "protect/ListBoxView.h"
#include "protect/ListFile.h"
#include "protect/RegisterLines.h"

namespace quorvane {

bool SaveListToFile(FileSystem& fs, const ListBoxView& list, const std::string& filePath) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i) items.push_back(list.item(i));
    return SaveListToFile(fs, items, filePath);
}

RegisterLines ReadLines(FileSystem& fs, UserMessages& messages, const std::string& filePath) {
    std::string bytes;
    try {
        // One allocation: the block is as long as the file.
        bytes.reserve(static_cast<std::size_t>(fs.fileLength(filePath)));
    } catch (const PlatformError&) {
        // the read below finds out what there is
    }
    try {
        fs.readFileInBlocks(filePath, [&](std::string_view block) {
            bytes.append(block);
            messages.processPendingEvents();
        });
    } catch (const PlatformError&) {
        // What was read stays, up to the last whole line: a line cut off by the failure is no entry.
        const std::size_t cr = bytes.rfind('\r');
        std::size_t keep = cr == std::string::npos ? 0 : cr + 1;
        if (keep < bytes.size() && bytes[keep] == '\n') ++keep;
        bytes.resize(keep);
    }
    return RegisterLines(std::move(bytes), [&fs](std::string_view line) { return fs.textOfFileBytes(line); });
}

void LoadListFromFile(FileSystem& fs, UserMessages& messages, ListBoxView& list, const std::string& filePath) {
    list.addLines(ReadLines(fs, messages, filePath));
}

}  // namespace quorvane
