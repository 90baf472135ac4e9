#include "protect/ListFile.h"

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/UserMessages.h"

namespace quorvane {

namespace {

constexpr int kSlot = 1;

// Frees the slot however the routine is left, so no later action finds it taken.
struct SlotGuard {
    FileSystem& fs;
    ~SlotGuard() { fs.close(kSlot); }
};

}  // namespace

bool SaveListToFile(FileSystem& fs, const std::vector<std::string>& items, const std::string& filePath) {
    try {
        std::string bytes;
        for (const std::string& item : items) {
            // A skipped item would lose an entry for good: rather keep the old file whole.
            bytes.append(fs.textFileBytes(item));
            bytes.append("\r\n");
        }
        fs.writeFile(filePath, bytes);
        return true;
    } catch (const PlatformError&) {
        return false;
    }
}

void LoadListFromFile(FileSystem& fs, UserMessages& messages, const std::string& filePath,
                      const std::function<void(std::string&& line)>& addItem) {
    try {
        fs.openText(kSlot, filePath);
    } catch (const PlatformError&) {
        return;
    }
    SlotGuard guard{fs};
    try {
        while (!fs.atEnd(kSlot)) {
            std::string line = fs.readLine(kSlot);
            messages.processPendingEvents();
            addItem(std::move(line));
        }
    } catch (const PlatformError&) {
        // A file that cannot be read further ends the load; what was read stays.
    }
}

}  // namespace quorvane
