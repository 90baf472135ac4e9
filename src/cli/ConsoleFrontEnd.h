#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/KeyInjector.h"
#include "platform/ShellIcons.h"
#include "platform/UserMessages.h"
#include "protect/ListBoxView.h"
#include "protect/RegisterLines.h"
#include "protect/ListView.h"
#include "protect/MainView.h"
#include "protect/frmList.h"
#include "layouts/PictureBoxView.h"

namespace quorvane::cli {

// The front end of the command line: the forms' windows and services with no display behind them.
// Messages go to the standard streams, the dialogs answer what the command line said, and
// nothing is drawn.

// Message boxes as lines: the error report (critical style) on `err` after the program's name,
// every other message on `out`; CR LF becomes the stream's line end.
class ConsoleMessages final : public UserMessages {
public:
    ConsoleMessages(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}
    void messageBox(const std::string& text, int style, const std::optional<std::string>& title) override;
    void beep() override {}
    void processPendingEvents() override {}

    // Whether an error report was shown.
    bool failed() const { return m_failed; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_failed = false;
};

// The dialogs answer with what the command line named: the open dialog with `iconFile`; the folder
// browser is never needed (the folder is chosen directly) and answers as cancelled.
class ScriptedDialogs final : public Dialogs {
public:
    std::string browseForFolder(WindowHandle, const std::string&) override { return {}; }
    std::string openFile(WindowHandle, const std::vector<std::string>&, const std::string&) override {
        return iconFile;
    }
    std::string iconFile;
};

class NoShellIcons final : public ShellIcons {
public:
    std::optional<IconImage> iconFor(const std::string&, int) override { return std::nullopt; }
};

class NoKeys final : public KeyInjector {
public:
    void sendKeys(const std::string&) override {}
};

class NoPicture final : public PictureBoxView {
public:
    void setHeight(int) override {}
    void setWidth(int) override {}
    void clearPicture() override {}
    void drawPicture(const IconImage&, int, int) override {}
    void refresh() override {}
};

// The list window of hidden folders, with its form. Being "shown" runs `onShow`, which reads the
// items, may select one and press the form's buttons, as a user would in the window.
class ConsoleList final : public ListView, public ListBoxView {
public:
    ConsoleList(Services services, const std::string& registerFilePath, std::function<void(ConsoleList&)> onShow);

    frmList& form() { return m_form; }
    void select(int index) { m_selected = index; }

    void sizeToShape() override {}
    ListBoxView& listBox() override { return *this; }
    void showModal() override;
    void unload() override {}

    int count() const override { return static_cast<int>(m_lines.size()); }
    std::string item(int index) const override { return m_lines.text(static_cast<std::size_t>(index)); }
    void addLines(RegisterLines&& lines) override;
    const RegisterLines* lines() const override { return m_blocks == 1 ? &m_lines : nullptr; }
    int selectedIndex() const override { return m_selected; }
    void removeItem(int index) override;
    void clearSelection() override { m_selected = -1; }

private:
    RegisterLines m_lines;  // the register as loaded, less the lines removed
    int m_blocks = 0;
    int m_selected = -1;
    std::function<void(ConsoleList&)> m_onShow;
    frmList m_form;
};

// The main window: the path box and the disguise choice as plain values.
class ConsoleMain final : public MainView {
public:
    explicit ConsoleMain(Services services) : m_services(services) {}

    // What the list window does when it is shown; none shows nothing.
    std::function<void(ConsoleList&)> onList;
    // Whether the list window was shown.
    bool listShown = false;

    WindowHandle hWnd() override { return nullptr; }
    void sizeToShape() override {}
    void addDisguise(const std::string&) override {}
    int disguiseIndex() override { return m_disguise; }
    void setDisguiseIndex(int index) override { m_disguise = index; }
    std::string pathText() override { return m_path; }
    void setPathText(const std::string& text) override { m_path = text; }
    PictureBoxView& currentIcon() override { return m_current; }
    PictureBoxView& newIcon() override { return m_new; }
    std::unique_ptr<ListView> loadList(const std::string& registerFilePath) override;
    void showAbout() override {}
    void endProgram() override {}

private:
    Services m_services;
    int m_disguise = -1;
    std::string m_path;
    NoPicture m_current;
    NoPicture m_new;
};

}  // namespace quorvane::cli
