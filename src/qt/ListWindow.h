#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Services.h"
#include "protect/ListView.h"
#include "qt/QtListBox.h"
#include "protect/frmList.h"
#include "qt/TulmXpButton.h"

class QListView;

namespace quorvane {

class FormLayout;
class FormSurface;
class WindowMover;

// The list of hidden folders on screen: its controls from the stored layout, the gradient and the
// drag, its buttons and double clicks handed to its form (frmList). It is shown modally over the
// main window and made anew for every opening; making it loads it.
class ListWindow : public QDialog, public ListView {
    Q_OBJECT
public:
    ListWindow(Services services, const std::string& registerFilePath, QWidget* parent = nullptr);
    ~ListWindow() override;

    frmList& form() { return m_form; }

    QListView* List1() const { return m_list1; }
    // List1's rows: the register's lines as one block.
    RegisterLinesModel& List1Model() const { return m_listBox->model(); }
    TulmXpButton* cmd(int index) const { return m_cmd.at(static_cast<std::size_t>(index)); }
    // The layout the window was built from (the label and the frame among the rest).
    const FormLayout& formLayout() const { return *m_layout; }
    // Moves the window when it is dragged by its surface.
    void setWindowMover(WindowMover& mover);

    // The view the forms work through.
    void sizeToShape() override;
    ListBoxView& listBox() override { return *m_listBox; }
    void showModal() override;
    void unload() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();

    Services m_services;
    std::unique_ptr<FormLayout> m_layout;
    std::unique_ptr<FormSurface> m_surface;
    QListView* m_list1 = nullptr;
    std::unique_ptr<QtListBox> m_listBox;
    std::array<TulmXpButton*, 2> m_cmd{};
    frmList m_form;
};

}  // namespace quorvane
