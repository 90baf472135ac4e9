#pragma once

#include <QAbstractListModel>

#include "protect/ListBoxView.h"
#include "protect/RegisterLines.h"

class QListView;

namespace quorvane {

// The lines a list view shows, as one block (RegisterLines): a row each, its text made only when the
// row is drawn. Line bytes that are not UTF-8 show escaped (fromCore); the row still stands for
// its line's bytes exactly.
class RegisterLinesModel final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit RegisterLinesModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void append(RegisterLines&& lines);
    void removeLine(int row);
    std::string text(int row) const { return m_lines.text(static_cast<std::size_t>(row)); }
    // The block, while it holds the lines of exactly one file.
    const RegisterLines* lines() const { return m_blocks == 1 ? &m_lines : nullptr; }

private:
    RegisterLines m_lines;
    int m_blocks = 0;
};

// A list view as the actions see it: its rows are a RegisterLinesModel of its own.
class QtListBox final : public ListBoxView {
public:
    explicit QtListBox(QListView* list);

    RegisterLinesModel& model() const { return *m_model; }

    int count() const override;
    std::string item(int index) const override;
    void addLines(RegisterLines&& lines) override;
    const RegisterLines* lines() const override { return m_model->lines(); }
    int selectedIndex() const override;
    void removeItem(int index) override;
    void clearSelection() override;

private:
    QListView* m_list;
    RegisterLinesModel* m_model;  // owned by the view
};

}  // namespace quorvane
