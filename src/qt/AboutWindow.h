#pragma once

#include <QWidget>
#include <memory>

#include "platform/Services.h"
#include "layouts/AboutView.h"
#include "layouts/frmAbout.h"

namespace quorvane {

class FormLayout;
class PictureBox;
class TulmXpButton;

// The about window on screen: modeless and unowned, one at a time, its controls from its stored
// layout and its buttons handed to its form (frmAbout). Showing it loads it (the form's load, then
// the stored position and the focus on "&OK"); closing it, by "&OK", Escape or the close box,
// unloads it, so that the next showing starts afresh with the drawing in view.
class AboutWindow : public QWidget, public AboutView {
    Q_OBJECT
public:
    explicit AboutWindow(Services services, QWidget* parent = nullptr);
    ~AboutWindow() override;

    frmAbout& form() { return m_form; }
    const frmAbout& form() const { return m_form; }

    TulmXpButton* cmdFace() const { return m_cmdFace; }
    TulmXpButton* cmdUnload() const { return m_cmdUnload; }
    TulmXpButton* cmdSysInfo() const { return m_cmdSysInfo; }
    PictureBox* Picture1() const { return m_picture1; }
    PictureBox* Picture2() const { return m_picture2; }
    const FormLayout& layout() const { return *m_layout; }

    // The view the form works through.
    void setCaption(const std::string& text) override;
    void setTitleText(const std::string& text) override;
    void setPicture1Visible(bool visible) override;
    void setPicture2Visible(bool visible) override;
    void unload() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Services m_services;
    std::unique_ptr<FormLayout> m_layout;
    TulmXpButton* m_cmdFace = nullptr;
    TulmXpButton* m_cmdUnload = nullptr;
    TulmXpButton* m_cmdSysInfo = nullptr;
    PictureBox* m_picture1 = nullptr;
    PictureBox* m_picture2 = nullptr;
    frmAbout m_form;
    bool m_loaded = false;  // shown since the last unload
};

}  // namespace quorvane
