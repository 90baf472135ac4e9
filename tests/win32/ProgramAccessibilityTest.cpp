// The real quorvane.exe read from another process as a Windows screen reader reads it: each control's
// accessible object through AccessibleObjectFromWindow (its role, name, state, default action and
// shortcut), and a command run through its default action, with the disk checked afterwards.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "platform/win32/Win32Text.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using test::ProgramCopy;
using test::ProgramDriver;

// IAccessible's identifier, spelled out: the cross toolchain's import library carries a wrong one.
constexpr GUID kIID_IAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::wstring wide(const std::string& text) { return *win32::toWide(text); }

// The accessible object of a window's client area, as a screen reader asks for it, released at the end.
class Accessible {
public:
    explicit Accessible(HWND window) {
        m_result = ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIID_IAccessible,
                                                reinterpret_cast<void**>(&m_object));
    }
    ~Accessible() {
        if (m_object) m_object->Release();
    }
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    HRESULT result() const { return m_result; }
    IAccessible* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    // The texts of the simple elements of this role among the children, in order.
    std::vector<std::wstring> childTexts(long role) const {
        std::vector<std::wstring> texts;
        long count = 0;
        if (!m_object || FAILED(m_object->get_accChildCount(&count))) return texts;
        for (long id = 1; id <= count; ++id) {
            VARIANT child;
            ::VariantInit(&child);
            child.vt = VT_I4;
            child.lVal = id;
            IDispatch* dispatch = nullptr;
            if (m_object->get_accChild(child, &dispatch) == S_OK && dispatch) {
                dispatch->Release();
                continue;  // a window of its own, with an object of its own
            }
            VARIANT r;
            ::VariantInit(&r);
            if (FAILED(m_object->get_accRole(child, &r)) || r.vt != VT_I4 || r.lVal != role) continue;
            BSTR name = nullptr;
            if (SUCCEEDED(m_object->get_accName(child, &name)) && name) texts.emplace_back(name, ::SysStringLen(name));
            ::SysFreeString(name);
        }
        return texts;
    }

    long role() const { return number(&IAccessible::get_accRole); }
    long state() const { return number(&IAccessible::get_accState); }
    std::wstring name() const { return text(&IAccessible::get_accName); }
    std::wstring defaultAction() const { return text(&IAccessible::get_accDefaultAction); }
    std::wstring shortcut() const { return text(&IAccessible::get_accKeyboardShortcut); }

private:
    static VARIANT self() {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = CHILDID_SELF;
        return v;
    }
    long number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) const {
        VARIANT out;
        ::VariantInit(&out);
        if (!m_object || FAILED((m_object->*get)(self(), &out)) || out.vt != VT_I4) return -1;
        return out.lVal;
    }
    std::wstring text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const {
        BSTR out = nullptr;
        if (!m_object || FAILED((m_object->*get)(self(), &out))) return L"<failed>";
        std::wstring value = out ? std::wstring(out, ::SysStringLen(out)) : std::wstring();
        ::SysFreeString(out);
        return value;
    }

    IAccessible* m_object = nullptr;
    HRESULT m_result = E_FAIL;
};

// Every child window of `window` of this class, in the order the dialog keys walk them.
std::vector<HWND> children(HWND window, const wchar_t* className) {
    std::vector<HWND> found;
    for (HWND child = ::FindWindowExW(window, nullptr, className, nullptr); child;
         child = ::FindWindowExW(window, child, className, nullptr))
        found.push_back(child);
    return found;
}

class ProgramAccessibility : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { ::CoUninitialize(); }
};

TEST_F(ProgramAccessibility, EveryButtonReadsAsAPushButtonAndHideFolderPressesFromOutside) {
    const ProgramCopy program;
    const test::TempDir work;
    const std::wstring folder = wide(work / "Private");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);

    struct Expected {
        const wchar_t* caption;  // the window's text, which finds it
        const wchar_t* name;     // what the screen reader says
    };
    const Expected buttons[] = {
        {L"...", L"..."},
        {L"Lock Folder", L"Lock Folder"},
        {L"Unlock Folder", L"Unlock Folder"},
        {L"Hide Folder", L"Hide Folder"},
        {L"Show Folder", L"Show Folder"},
        {L"Open icon", L"Open icon"},
        {L"Change Icon", L"Change Icon"},
        {L"Set Default Icon", L"Set Default Icon"},
        {L"About,..", L"About,.."},
        {L"Exit", L"Exit"},
    };
    EXPECT_EQ(children(main, win32::kXpButtonClassName).size(), std::size(buttons));
    for (const Expected& b : buttons) {
        SCOPED_TRACE(b.caption);
        const HWND button = ProgramDriver::child(main, win32::kXpButtonClassName, b.caption);
        ASSERT_NE(button, nullptr);
        const Accessible acc(button);
        ASSERT_TRUE(acc) << std::hex << acc.result();
        EXPECT_EQ(acc.role(), 0x2B);  // ROLE_SYSTEM_PUSHBUTTON
        EXPECT_EQ(acc.name(), b.name);
        EXPECT_EQ(acc.defaultAction(), L"Press");
        EXPECT_EQ(acc.shortcut(), L"");  // the main window's captions have no access keys
        const long state = acc.state();
        EXPECT_TRUE(state & STATE_SYSTEM_FOCUSABLE);
        EXPECT_FALSE(state & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_PRESSED | STATE_SYSTEM_INVISIBLE));
        // The focus starts on "...", the first of the focus order.
        EXPECT_EQ((state & STATE_SYSTEM_FOCUSED) != 0, std::wstring(b.caption) == L"...");
    }

    // The controls without a caption of their own are named by what the window shows beside them.
    struct Named {
        const wchar_t* className;
        std::size_t which;
        const wchar_t* name;
        long role;
    };
    const Named named[] = {
        {L"Edit", 0, L"Folder", ROLE_SYSTEM_TEXT},
        {L"ComboBox", 0, L"Disguise", ROLE_SYSTEM_COMBOBOX},
    };
    for (const Named& n : named) {
        SCOPED_TRACE(n.name);
        const std::vector<HWND> found = children(main, n.className);
        ASSERT_GT(found.size(), n.which);
        const Accessible acc(found[n.which]);
        ASSERT_TRUE(acc);
        EXPECT_EQ(acc.name(), n.name);
        EXPECT_EQ(acc.role(), n.role);
    }
    std::vector<std::wstring> pictures;
    for (HWND box : children(main, L"QuorvanePictureBox")) {
        const Accessible acc(box);
        ASSERT_TRUE(acc);
        EXPECT_EQ(acc.role(), ROLE_SYSTEM_GRAPHIC);
        pictures.push_back(acc.name());
    }
    EXPECT_EQ(pictures, (std::vector<std::wstring>{L"Current Icon", L"New Icon"}));
    // The labels drawn on the window's surface, as static text in reading order.
    {
        const Accessible window(main);
        ASSERT_TRUE(window);
        EXPECT_EQ(window.childTexts(ROLE_SYSTEM_STATICTEXT),
                  (std::vector<std::wstring>{L"Simple lock foder,..", L"Simple hide foder,..", L"Change folder icon,..",
                                             L"Current Icon", L"New Icon"}));
    }

    // "Hide Folder" pressed through its default action: the call returns at once, the click comes
    // after it, and its message box opens.
    ProgramDriver::setText(::FindWindowExW(main, nullptr, L"Edit", nullptr), folder);
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"Set Default Icon"));  // takes the path box's folder up
    ProgramDriver::settle();
    {
        const Accessible hide(ProgramDriver::child(main, win32::kXpButtonClassName, L"Hide Folder"));
        ASSERT_TRUE(hide);
        VARIANT self;
        ::VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        const DWORD before = ::GetTickCount();
        EXPECT_EQ(hide->accDoDefaultAction(self), S_OK);
        EXPECT_LT(::GetTickCount() - before, 2000u) << "the action waited for the click";
    }
    EXPECT_EQ(quorvane.answerMessageBox(L"yeah!"), L"The folder: \r\n" + folder + L"\r\n  it's not visible now");
    EXPECT_EQ(::GetFileAttributesW(folder.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

    ASSERT_TRUE(ProgramDriver::clickButton(main, L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

TEST_F(ProgramAccessibility, TheListWindowsListIsNamed) {
    const ProgramCopy program;
    // The list window opens over a register that exists, here an empty one.
    const HANDLE file = ::CreateFileW(program.file("l0g.ext").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"Show Folder"));
    const HWND list = quorvane.waitForWindow(L"Form1");
    ASSERT_NE(list, nullptr);
    {
        const Accessible items(::FindWindowExW(list, nullptr, L"ListBox", nullptr));
        ASSERT_TRUE(items);
        EXPECT_EQ(items.name(), L"Hidden folders");
        EXPECT_EQ(items.role(), ROLE_SYSTEM_LIST);
        const Accessible window(list);
        ASSERT_TRUE(window);
        EXPECT_EQ(window.childTexts(ROLE_SYSTEM_STATICTEXT),
                  (std::vector<std::wstring>{L"Select a folder to make it visible:.."}));
    }
    ASSERT_TRUE(ProgramDriver::clickButton(list, L"Close"));
    EXPECT_TRUE(ProgramDriver::waitUntilGone(list));
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

TEST_F(ProgramAccessibility, TheAboutWindowsButtonsCarryTheirAccessKeys) {
    const ProgramCopy program;
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"About,.."));
    const HWND about = quorvane.waitForWindow(L"About ");
    ASSERT_NE(about, nullptr);
    const std::pair<const wchar_t*, const wchar_t*> buttons[] = {
        {L"&OK", L"Alt+O"}, {L"&System Info...", L"Alt+S"}, {L"&Change...", L"Alt+C"}};
    for (auto [caption, shortcut] : buttons) {
        SCOPED_TRACE(caption);
        const Accessible acc(ProgramDriver::child(about, win32::kXpButtonClassName, caption));
        ASSERT_TRUE(acc);
        EXPECT_EQ(acc.name(), std::wstring(caption).substr(1));
        EXPECT_EQ(acc.shortcut(), shortcut);
    }
    std::vector<std::wstring> portraits;
    for (HWND box : children(about, L"QuorvanePictureBox")) portraits.push_back(Accessible(box).name());
    std::sort(portraits.begin(), portraits.end());
    EXPECT_EQ(portraits, (std::vector<std::wstring>{L"Drawn portrait", L"Portrait photograph"}));
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

}  // namespace
}  // namespace quorvane
