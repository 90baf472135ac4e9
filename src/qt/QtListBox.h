#pragma once

#include "protect/ListBoxView.h"

class QListWidget;

namespace quorvane {

// A list widget as the actions see it. An item whose text cannot give its line back exactly (bytes
// that are not UTF-8 on Linux) keeps the line's own bytes beside the text.
class QtListBox final : public ListBoxView {
public:
    explicit QtListBox(QListWidget* list) : m_list(list) {}

    int count() const override;
    std::string item(int index) const override;
    void addItem(const std::string& line) override;
    int selectedIndex() const override;
    void removeItem(int index) override;
    void clearSelection() override;

private:
    QListWidget* m_list;
};

}  // namespace quorvane
