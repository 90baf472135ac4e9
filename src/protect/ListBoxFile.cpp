#include "protect/ListBoxFile.h"

#include <QByteArray>
#include <QListWidget>
#include <vector>

#include "platform/PathText.h"
#include "protect/ListFile.h"

namespace quorvane {

namespace {
// Holds the line's bytes when the item's text does not give them back.
constexpr int kLineBytesRole = Qt::UserRole + 1;
}  // namespace

std::string ItemPath(const QListWidgetItem* item) {
    const QVariant bytes = item->data(kLineBytesRole);
    if (bytes.isValid()) {
        const QByteArray line = bytes.toByteArray();
        return std::string(line.constData(), static_cast<std::size_t>(line.size()));
    }
    return toCore(item->text());
}

bool SaveListToFile(FileSystem& fs, const QListWidget* list, const QString& filePath) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i) items.push_back(ItemPath(list->item(i)));
    return SaveListToFile(fs, items, toCore(filePath));
}

void LoadListFromFile(FileSystem& fs, UserMessages& messages, QListWidget* list, const QString& filePath) {
    LoadListFromFile(fs, messages, toCore(filePath), [list](std::string&& line) {
        auto* item = new QListWidgetItem(fromCore(line));
        if (toCore(item->text()) != line)
            item->setData(kLineBytesRole, QByteArray(line.data(), static_cast<qsizetype>(line.size())));
        list->addItem(item);
    });
}

}  // namespace quorvane
