#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/GuiServices.h"
#include "xpbutton/TulmXpButton.h"

class QComboBox;
class QLineEdit;

namespace quorvane {

class FormLayout;
class FormSurface;
class PictureBox;
class PlatformError;
class WindowMover;
class frmAbout;
class frmList;

// The main window: the shared state of the folder actions, the load sequence, and the dispatch of
// the ten command buttons. Every action works on FolderPath as it stands when its button is pressed.
class frmMain : public QWidget {
    Q_OBJECT
public:
    // `applicationDirectory` is the folder that holds the program (no trailing separator unless a root).
    frmMain(Services services, const QString& applicationDirectory, QWidget* parent = nullptr);
    ~frmMain() override;

    // The command buttons' handler: runs the action of `Index` (0 to 9); a failure the action does
    // not handle ends in the error report, and the program goes on.
    void cmd_Click(std::int16_t Index);

    void FolderIcon();
    void LockFolder();
    void UnlockFolder();
    void HideFolder();
    void ShowList();
    void LoadIcon();
    void SetDefault();
    void FillVar();

    const QString& FolderPath() const { return m_folderPath; }
    const std::optional<QString>& IconFilePath() const { return m_iconFilePath; }
    const QString& RegisterFilePath() const { return m_registerFilePath; }

    TulmXpButton* cmd(int index) const { return m_cmd.at(static_cast<std::size_t>(index)); }
    QComboBox* cmb1() const { return m_cmb1; }
    QLineEdit* Text1() const { return m_text1; }
    PictureBox* Picture1() const { return m_picture1; }
    PictureBox* Picture2() const { return m_picture2; }
    frmAbout* aboutWindow() const { return m_about.get(); }
    // The list of hidden folders while "Show Folder" has it open (loading or shown), else null.
    frmList* listWindow() const { return m_list; }
    // The layout the window was built from: its labels, lines, frame and images among the rest.
    const FormLayout& formLayout() const { return *m_layout; }
    FormLayout& formLayout() { return *m_layout; }
    // Moves the window (and the list window) when it is dragged by its surface.
    void setWindowMover(WindowMover& mover);
    WindowMover& windowMover() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void load();
    void ChangeIcon();
    void showAbout();
    void exitProgram();
    void reportError(const PlatformError& error);

    Services m_services;
    QString m_applicationDirectory;

    QString m_folderPath;
    std::optional<QString> m_iconFilePath;  // no value until "Open icon" is first used
    QString m_registerFilePath;
    bool m_busy = false;  // an action is running its own event processing

    std::unique_ptr<FormLayout> m_layout;
    std::unique_ptr<FormSurface> m_surface;
    std::array<TulmXpButton*, 10> m_cmd{};
    QComboBox* m_cmb1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    PictureBox* m_picture1 = nullptr;
    PictureBox* m_picture2 = nullptr;
    std::unique_ptr<frmAbout> m_about;
    frmList* m_list = nullptr;  // lives in ShowList while it runs
};

}  // namespace quorvane
