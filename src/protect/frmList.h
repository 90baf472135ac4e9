#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/GuiServices.h"
#include "xpbutton/TulmXpButton.h"

class QListWidget;

namespace quorvane {

class FormLayout;
class FormSurface;
class PlatformError;
class WindowMover;

// The list of hidden folders: one item per register line, in file order. "Show Folder" (or a
// double click on an item) makes the selected folder visible again and rewrites the register
// without its line; "Close" ends the window. It is shown modally over the main window and made
// anew for every opening, so it always shows the register as it stands.
class frmList : public QDialog {
    Q_OBJECT
public:
    // Shows a failure that an action of this window does not handle (the program's error report).
    using ErrorReport = std::function<void(const PlatformError&)>;

    frmList(Services services, const QString& registerFilePath, ErrorReport reportError, QWidget* parent = nullptr);
    ~frmList() override;

    // The buttons' handler: 1 closes the window, any other index runs ShowFolder.
    void cmd_Click(std::int16_t Index);
    // Makes the selected folder visible and drops its line; fails (throws) when the attributes
    // cannot be set, leaving the list and the register as they were.
    void ShowFolder();

    QListWidget* List1() const { return m_list1; }
    TulmXpButton* cmd(int index) const { return m_cmd.at(static_cast<std::size_t>(index)); }
    // The layout the window was built from (the label and the frame among the rest).
    const FormLayout& formLayout() const { return *m_layout; }
    // Moves the window when it is dragged by its surface.
    void setWindowMover(WindowMover& mover);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void load();
    void List1_DblClick();
    void runReported(void (frmList::*action)());

    Services m_services;
    QString m_registerFilePath;
    ErrorReport m_reportError;

    std::unique_ptr<FormLayout> m_layout;
    std::unique_ptr<FormSurface> m_surface;
    QListWidget* m_list1 = nullptr;
    std::array<TulmXpButton*, 2> m_cmd{};
};

}  // namespace quorvane
