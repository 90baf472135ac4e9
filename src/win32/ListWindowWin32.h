#pragma once

#include <string>

#include "platform/Services.h"
#include "protect/ListView.h"
#include "protect/frmList.h"
#include "win32/FormWindow.h"
#include "win32/ListBoxWin32.h"

namespace quorvane::win32 {

// The list of hidden folders as a native window: frameless, with the gradient and the drag, owned
// by the main window and shown modally over it; its buttons and double clicks go to its form.
// Made anew for every opening: making it loads it.
class ListWindowWin32 final : public FormWindow, public ListView {
public:
    ListWindowWin32(Services services, const std::string& registerFilePath, HWND owner);
    ~ListWindowWin32() override;

    frmList& form() { return m_form; }

    void sizeToShape() override;
    ListBoxView& listBox() override { return m_list1 ? *m_list1 : m_unmade; }
    void showModal() override;
    void unload() override;

protected:
    bool onCommand(HWND control, WORD code) override;
    void onClose() override { unload(); }
    void onEscape() override { unload(); }

private:
    HWND m_owner;
    ListBoxWin32* m_list1 = nullptr;  // List1, a control of the window
    ListBoxWin32 m_unmade;            // stands in, empty, when the window could not be made
    frmList m_form;
    bool m_shown = false;
};

}  // namespace quorvane::win32
