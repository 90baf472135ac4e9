#include "qt/QtListBox.h"

#include <QItemSelectionModel>
#include <QListView>
#include <limits>

#include "qt/PathText.h"

namespace quorvane {

namespace {
constexpr std::size_t kMaxRows = static_cast<std::size_t>(std::numeric_limits<int>::max());
}  // namespace

int RegisterLinesModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(std::min(m_lines.size(), kMaxRows));
}

QVariant RegisterLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return fromCore(text(index.row()));
    return {};
}

void RegisterLinesModel::append(RegisterLines&& lines) {
    if (lines.empty()) {
        // Still a block given: an empty register is one file as well.
        if (m_blocks == 0 && m_lines.empty()) m_blocks = 1;
        return;
    }
    const bool first = m_blocks == 0 && m_lines.empty();
    const int from = rowCount();
    beginInsertRows(QModelIndex(), from, from + static_cast<int>(std::min(lines.size(), kMaxRows - from)) - 1);
    m_lines.append(std::move(lines));
    m_blocks = first ? 1 : 2;
    endInsertRows();
}

void RegisterLinesModel::removeLine(int row) {
    if (row < 0 || row >= rowCount()) return;
    beginRemoveRows(QModelIndex(), row, row);
    m_lines.remove(static_cast<std::size_t>(row));
    endRemoveRows();
}

QtListBox::QtListBox(QListView* list) : m_list(list), m_model(new RegisterLinesModel(list)) {
    m_list->setModel(m_model);
}

int QtListBox::count() const { return m_model->rowCount(); }

std::string QtListBox::item(int index) const {
    return index >= 0 && index < count() ? m_model->text(index) : std::string();
}

void QtListBox::addLines(RegisterLines&& lines) { m_model->append(std::move(lines)); }

int QtListBox::selectedIndex() const {
    const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void QtListBox::removeItem(int index) { m_model->removeLine(index); }

void QtListBox::clearSelection() {
    m_list->clearSelection();
    m_list->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

}  // namespace quorvane
