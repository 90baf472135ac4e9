#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "platform/GuiServices.h"
#include "platform/Registry.h"

namespace quorvane {

class FormLayout;
class PictureBox;
class TulmXpButton;

// The about window: modeless and unowned, one at a time. Its controls come from its stored layout.
// Showing it loads it (title, portraits, focus, stored position); closing it, by "&OK" or the close
// box, unloads it, so that the next showing starts afresh with the drawing in view.
class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(Services services, QWidget* parent = nullptr);
    ~frmAbout() override;

    // Starts the system information program, or tells the user it is unavailable.
    void StartSysInfo();
    // One registry value as text; True when one was read (see the core's GetKeyValue).
    bool GetKeyValue(RegKey root, const QString& keyName, const QString& valueName, QString& value);

    // False while the drawing (Picture2) is in view, True for the photograph (Picture1).
    bool PhotoShown() const { return m_photoShown; }

    TulmXpButton* cmdFace() const { return m_cmdFace; }
    TulmXpButton* cmdUnload() const { return m_cmdUnload; }
    TulmXpButton* cmdSysInfo() const { return m_cmdSysInfo; }
    PictureBox* Picture1() const { return m_picture1; }
    PictureBox* Picture2() const { return m_picture2; }
    const FormLayout& layout() const { return *m_layout; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void cmdFace_Click();
    void cmdUnload_Click();
    void cmdSysInfo_Click();
    void showPortrait();

    Services m_services;
    std::unique_ptr<FormLayout> m_layout;
    TulmXpButton* m_cmdFace = nullptr;
    TulmXpButton* m_cmdUnload = nullptr;
    TulmXpButton* m_cmdSysInfo = nullptr;
    PictureBox* m_picture1 = nullptr;
    PictureBox* m_picture2 = nullptr;
    bool m_photoShown = false;
    bool m_loaded = false;  // shown since the last unload
};

}  // namespace quorvane
