#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>

#include "platform/Services.h"
#include "protect/MainView.h"
#include "protect/frmMain.h"
#include "qt/QtPictureBox.h"
#include "qt/TulmXpButton.h"

class QComboBox;
class QLineEdit;

namespace quorvane {

class AboutWindow;
class FormLayout;
class FormSurface;
class ListWindow;
class PictureBox;
class WindowMover;

// The main window on screen: its controls from the stored layout, the gradient and the drag, the
// button clicks handed to its form (frmMain), and what the form shows or opens.
class MainWindow : public QWidget, public MainView {
    Q_OBJECT
public:
    // `applicationDirectory` is the folder that holds the program (no trailing separator unless a root).
    MainWindow(Services services, const QString& applicationDirectory, QWidget* parent = nullptr);
    ~MainWindow() override;

    frmMain& form() { return m_form; }
    const frmMain& form() const { return m_form; }

    TulmXpButton* cmd(int index) const { return m_cmd.at(static_cast<std::size_t>(index)); }
    QComboBox* cmb1() const { return m_cmb1; }
    QLineEdit* Text1() const { return m_text1; }
    PictureBox* Picture1() const { return m_picture1; }
    PictureBox* Picture2() const { return m_picture2; }
    AboutWindow* aboutWindow() const { return m_about.get(); }
    // The list of hidden folders while "Show Folder" has it open (loading or shown), else null.
    ListWindow* listWindow() const;
    // The layout the window was built from: its labels, lines, frame and images among the rest.
    const FormLayout& formLayout() const { return *m_layout; }
    FormLayout& formLayout() { return *m_layout; }
    // Moves the window (and the list window) when it is dragged by its surface.
    void setWindowMover(WindowMover& mover);
    WindowMover& windowMover() const;

    // The view the form works through.
    WindowHandle hWnd() override;
    void sizeToShape() override;
    void addDisguise(const std::string& caption) override;
    int disguiseIndex() override;
    void setDisguiseIndex(int index) override;
    std::string pathText() override;
    void setPathText(const std::string& text) override;
    PictureBoxView& currentIcon() override { return m_currentIcon; }
    PictureBoxView& newIcon() override { return m_newIcon; }
    std::unique_ptr<ListView> loadList(const std::string& registerFilePath) override;
    void showAbout() override;
    void endProgram() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();

    Services m_services;
    std::unique_ptr<FormLayout> m_layout;
    std::unique_ptr<FormSurface> m_surface;
    std::array<TulmXpButton*, 10> m_cmd{};
    QComboBox* m_cmb1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    PictureBox* m_picture1 = nullptr;
    PictureBox* m_picture2 = nullptr;
    QtPictureBox m_currentIcon{nullptr};
    QtPictureBox m_newIcon{nullptr};
    std::unique_ptr<AboutWindow> m_about;
    QPointer<ListWindow> m_list;  // lives in the form's ShowList while it runs
    frmMain m_form;
};

}  // namespace quorvane
