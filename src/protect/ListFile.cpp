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

std::string SaveTempPath(const std::string& filePath) { return filePath + ".new"; }

bool SaveListToFile(FileSystem& fs, const std::vector<std::string>& items, const std::string& filePath) {
    const std::string temp = SaveTempPath(filePath);
    try {
        fs.openText(kSlot, temp, TextMode::Output);
    } catch (const PlatformError&) {
        return false;  // nothing written, nothing to clean up
    }
    SlotGuard guard{fs};
    try {
        for (const std::string& item : items) fs.writeLine(kSlot, item);
        // Write errors (a full disk) surface here, before the old file is given up.
        fs.commit(kSlot);
        fs.close(kSlot);
        fs.replaceFile(temp, filePath);
        return true;
    } catch (const PlatformError&) {
        // A skipped item would lose an entry for good: rather keep the old file whole.
        fs.close(kSlot);
        try {
            fs.deleteFile(temp);
        } catch (const PlatformError&) {
        }
        return false;
    }
}

void LoadListFromFile(FileSystem& fs, UserMessages& messages, const std::string& filePath,
                      const std::function<void(std::string&& line)>& addItem) {
    try {
        fs.openText(kSlot, filePath, TextMode::Input);
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
