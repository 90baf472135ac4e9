#include "qt/QtListBox.h"

#include <QByteArray>
#include <QListWidget>

#include "qt/PathText.h"

namespace quorvane {

namespace {
// Holds the line's bytes when the item's text does not give them back.
constexpr int kLineBytesRole = Qt::UserRole + 1;
}  // namespace

int QtListBox::count() const { return m_list->count(); }

std::string QtListBox::item(int index) const {
    const QListWidgetItem* item = m_list->item(index);
    const QVariant bytes = item->data(kLineBytesRole);
    if (bytes.isValid()) {
        const QByteArray line = bytes.toByteArray();
        return std::string(line.constData(), static_cast<std::size_t>(line.size()));
    }
    return toCore(item->text());
}

void QtListBox::addItem(const std::string& line) {
    auto* item = new QListWidgetItem(fromCore(line));
    if (toCore(item->text()) != line)
        item->setData(kLineBytesRole, QByteArray(line.data(), static_cast<qsizetype>(line.size())));
    m_list->addItem(item);
}

int QtListBox::selectedIndex() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.front());
}

void QtListBox::removeItem(int index) { delete m_list->takeItem(index); }

void QtListBox::clearSelection() {
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
}

}  // namespace quorvane
