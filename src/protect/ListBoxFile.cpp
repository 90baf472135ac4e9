#include "protect/ListBoxFile.h"

#include <QListWidget>
#include <vector>

#include "platform/PathText.h"
#include "protect/ListFile.h"

namespace quorvane {

std::string ItemPath(const QListWidgetItem* item) { return toCore(item->text()); }

bool SaveListToFile(FileSystem& fs, const QListWidget* list, const QString& filePath) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i) items.push_back(ItemPath(list->item(i)));
    return SaveListToFile(fs, items, toCore(filePath));
}

void LoadListFromFile(FileSystem& fs, UserMessages& messages, QListWidget* list, const QString& filePath) {
    LoadListFromFile(fs, messages, toCore(filePath), [list](std::string&& line) {
        list->addItem(new QListWidgetItem(fromCore(line)));
    });
}

}  // namespace quorvane
