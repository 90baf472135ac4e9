#include "protect/ListBoxFile.h"

#include <vector>

#include "protect/ListBoxView.h"
#include "protect/ListFile.h"

namespace quorvane {

bool SaveListToFile(FileSystem& fs, const ListBoxView& list, const std::string& filePath) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i) items.push_back(list.item(i));
    return SaveListToFile(fs, items, filePath);
}

void LoadListFromFile(FileSystem& fs, UserMessages& messages, ListBoxView& list, const std::string& filePath) {
    LoadListFromFile(fs, messages, filePath, [&list](std::string&& line) { list.addItem(line); });
}

}  // namespace quorvane
