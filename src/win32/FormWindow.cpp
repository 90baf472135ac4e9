#include "win32/FormWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "platform/ShellIcons.h"
#include "win32/UserMessages.h"
#include "platform/win32/Win32Text.h"
#include "win32/AccessibleProxy.h"
#include "win32/Chrome.h"
#include "layouts/SurfaceHit.h"
#include "layouts/Twips.h"

namespace quorvane::win32 {

namespace {

constexpr WindowClass kFormClass{L"QuorvaneForm", CS_DBLCLKS};
// Posted after the first paint: the windowless images are decoded then, and what else can wait.
constexpr UINT kFirstPainted = WM_APP + 1;
// The standard controls' classes by kind.
constexpr wchar_t kEditClass[] = L"EDIT";
constexpr wchar_t kComboClass[] = L"COMBOBOX";
constexpr wchar_t kListClass[] = L"LISTBOX";
constexpr wchar_t kStaticClass[] = L"STATIC";
// A drop-down list opens this many entries high.
constexpr int kDropDownRows = 8;

std::wstring wide(const std::string& text) { return toWide(text).value_or(L""); }

// A stored colour that the layout description leaves at its default 0 for "the system's".
COLORREF colourOr(std::uint32_t value, int systemIndex) {
    return value == 0 ? ::GetSysColor(systemIndex) : colourOf(value);
}

// The height of a line of text in `font` (the text metrics' height) as `window` draws it.
int textHeight(HWND window, HFONT font) {
    const HDC dc = ::GetDC(window);
    const HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    return static_cast<int>(metrics.tmHeight);
}

// A pixel width of the layouts (lines, frames) at this DPI, never thinner than one pixel.
int penWidth(int pixelsAt96, int dpi) { return std::max(1, static_cast<int>(std::lround(pixelsAt96 * dpi / 96.0))); }

}  // namespace

// One control of the layout with what it needs at run time.
struct FormWindow::Control {
    const ControlDescription* d = nullptr;
    std::unique_ptr<XpButtonWin32> button;
    std::unique_ptr<PictureBoxWin32> pictureBox;
    std::unique_ptr<ListBoxWin32> listBox;  // an unsorted list box, also `standard`
    HWND standard = nullptr;  // edit, combo box or list box
    GdiFont font;
    int fontDpi = 0;              // the DPI the font was made for
    RECT placed{};                // where the window stands, in pixels of the form
    HBRUSH background = nullptr;  // the standard controls' background, held while they live
    COLORREF text = 0;

    ~Control() {
        if (background) ::DeleteObject(background);
    }
    HWND hwnd() const {
        if (button) return button->hwnd();
        if (pictureBox) return pictureBox->hwnd();
        return standard;
    }
};

FormWindow::FormWindow(FormDescription description, KeyInjector& keys)
    : m_description(std::move(description)), m_keys(keys) {
    m_innerWidthTwips = m_description.form.width;
    m_innerHeightTwips = m_description.form.height;
}

FormWindow::~FormWindow() {
    // The window and its children go before the objects that handle their messages.
    if (hwnd()) ::DestroyWindow(hwnd());
    if (m_hiddenOwner) ::DestroyWindow(m_hiddenOwner);
}

int FormWindow::pixels(int twips) const { return twipsToPixels(twips, m_dpi); }

namespace {

// The top-left corner of a window of this size centred on the monitor's work area.
POINT centredOn(HMONITOR monitor, int width, int height) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoW(monitor, &info);
    const RECT& work = info.rcWork;
    return POINT{work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2};
}

}  // namespace

bool FormWindow::make(HWND owner) {
    const FormSettings& f = m_description.form;
    CreateArgs args;
    const std::wstring caption = wide(f.caption);
    args.text = caption.c_str();
    switch (f.border) {
        case FormBorder::None:
            args.style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
            break;
        case FormBorder::FixedDialog:
            args.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
            args.exStyle = WS_EX_DLGMODALFRAME;
            break;
        case FormBorder::Sizable:
            args.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
            break;
    }
    // An owned window has no taskbar button of its own; an unowned one gets one only if asked.
    if (f.showInTaskbar && !owner) args.exStyle |= WS_EX_APPWINDOW;
    if (!f.showInTaskbar && !owner) {
        // One that belongs to none of the program's windows is owned by a hidden one: so it has no
        // taskbar button, keeps its own frame, and is neither activated nor minimised with the
        // main window.
        m_hiddenOwner = ::CreateWindowExW(0, kStaticClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr);
        owner = m_hiddenOwner;
    }
    args.parent = owner;
    // Made at its size and place for the primary monitor's DPI, which it nearly always is on: the
    // window is then neither moved nor resized before it shows. Another monitor's DPI is met below.
    m_dpi = static_cast<int>(::GetDpiForSystem());
    RECT frame{0, 0, pixels(m_innerWidthTwips), pixels(m_innerHeightTwips)};
    ::AdjustWindowRectExForDpi(&frame, args.style, FALSE, args.exStyle, static_cast<UINT>(m_dpi));
    args.width = frame.right - frame.left;
    args.height = frame.bottom - frame.top;
    if (f.position == FormPosition::CenterScreen) {
        const POINT at = centredOn(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), args.width, args.height);
        args.x = at.x;
        args.y = at.y;
    } else if (f.position == FormPosition::Manual) {
        // The stored place is the inner area's corner; the frame lies around it.
        args.x = pixels(f.left) + frame.left;
        args.y = pixels(f.top) + frame.top;
    }
    // The system has a place of its own for new windows only for overlapped ones: a pop-up window
    // is made as one there and takes its own style (no frame) before anything is drawn.
    const bool placedBySystem = f.position == FormPosition::Default && (args.style & WS_POPUP);
    CreateArgs overlapped = args;
    if (placedBySystem) overlapped.style &= ~WS_POPUP;
    if (!create(kFormClass, placedBySystem ? overlapped : args)) return false;
    if (placedBySystem) {
        ::SetWindowLongW(hwnd(), GWL_STYLE, static_cast<LONG>(args.style));
        ::SetWindowPos(hwnd(), nullptr, 0, 0, args.width, args.height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    m_dpi = static_cast<int>(::GetDpiForWindow(hwnd()));
    buildControls();
    layout();
    placeWindow();
    return true;
}

void FormWindow::placeWindow() {
    // In pixels of this DPI: centred on its monitor's work area, or at the stored place; else it
    // stays where the system put it as a new window.
    const FormSettings& f = m_description.form;
    RECT frame{};
    ::GetWindowRect(hwnd(), &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (f.position == FormPosition::CenterScreen) {
        const POINT at = centredOn(::MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), width, height);
        ::SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (f.position == FormPosition::Manual) {
        POINT inner{0, 0};
        ::ClientToScreen(hwnd(), &inner);
        ::SetWindowPos(hwnd(), nullptr, pixels(f.left) - (inner.x - frame.left), pixels(f.top) - (inner.y - frame.top),
                       0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormWindow::buildControls() {
    const FormSettings& f = m_description.form;
    // Children with windows of their own are made in focus order, which is also the order the
    // dialog keys walk them in; the layouts' windowed controls never overlap.
    std::vector<const ControlDescription*> order;
    for (const ControlDescription* d : m_description.tabStops()) order.push_back(d);
    for (const ControlDescription& d : m_description.controls) {
        if (d.hasWindow() && std::find(order.begin(), order.end(), &d) == order.end()) order.push_back(&d);
    }
    for (const ControlDescription& d : m_description.controls) {
        if (!d.hasWindow()) {
            // Decoded after the first paint: the imaging component's start would hold the window back.
            if (d.kind == ControlKind::Image && !d.picture.empty()) m_images[d.displayName()] = std::nullopt;
            auto c = std::make_unique<Control>();
            c->d = &d;
            m_controls.push_back(std::move(c));
        }
    }
    for (const ControlDescription* d : order) {
        auto c = std::make_unique<Control>();
        c->d = d;
        CreateArgs args;
        args.parent = hwnd();
        args.style = WS_CHILD | (d->visible ? WS_VISIBLE : 0) | (d->enabled ? 0 : WS_DISABLED) |
                     (d->tabIndex >= 0 && d->tabStop ? WS_TABSTOP : 0);
        // Made where the layout puts it, so that nothing is drawn twice at start.
        c->placed = placement(*d);
        args.x = c->placed.left;
        args.y = c->placed.top;
        args.width = c->placed.right - c->placed.left;
        args.height = c->placed.bottom - c->placed.top;
        const std::wstring text = wide(d->text);
        args.text = text.c_str();
        switch (d->kind) {
            case ControlKind::TulmXpButton:
                // Shown once its properties are read: its first drawing has the caption.
                c->button = std::make_unique<XpButtonWin32>(m_keys);
                args.style &= ~WS_VISIBLE;
                if (c->button->make(args)) {
                    c->button->readProperties(d->properties, Ambient{f.font, f.foreColor, d->displayName()});
                    if (d->visible) ::ShowWindow(c->button->hwnd(), SW_SHOWNA);
                }
                break;
            case ControlKind::PictureBox:
                c->pictureBox = std::make_unique<PictureBoxWin32>();
                if (d->sunkenEdge) args.exStyle |= WS_EX_CLIENTEDGE;
                c->pictureBox->make(args, colourOr(d->backColor, COLOR_BTNFACE));
                if (!d->picture.empty()) c->pictureBox->setPicture(artPicture(d->picture));
                break;
            case ControlKind::TextBox:
                args.exStyle |= WS_EX_CLIENTEDGE;
                args.style |= ES_AUTOHSCROLL;
                c->standard =
                    ::CreateWindowExW(args.exStyle, kEditClass, args.text, args.style, args.x, args.y, args.width,
                                      args.height, hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
                break;
            case ControlKind::ComboBox:
                // Its entries drawn by the window (drawComboItem): with visual styles the system
                // draws a drop-down list's field in the theme's colours, whatever the layout says.
                args.style |= WS_VSCROLL | (d->dropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN) | CBS_OWNERDRAWFIXED |
                              CBS_HASSTRINGS;
                c->standard = ::CreateWindowExW(0, kComboClass, L"", args.style, args.x, args.y, args.width,
                                                args.height, hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
                break;
            case ControlKind::ListBox:
                args.exStyle |= WS_EX_CLIENTEDGE;
                args.style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | (d->sorted ? LBS_SORT : 0);
                if (!d->sorted) {
                    // Filled from a block of lines through ListBoxView: it holds no strings itself.
                    c->listBox = std::make_unique<ListBoxWin32>();
                    args.text = L"";
                    if (c->listBox->make(args, colourOr(d->backColor, COLOR_WINDOW),
                                         colourOr(d->foreColor, COLOR_WINDOWTEXT)))
                        c->standard = c->listBox->hwnd();
                    break;
                }
                c->standard = ::CreateWindowExW(args.exStyle, kListClass, L"", args.style, args.x, args.y, args.width,
                                                args.height, hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
                break;
            default:
                break;
        }
        // Named for screen readers where the control shows no name of its own.
        // The role too where the system's object for the class may not know it (a combo box's and a
        // list box's answer as plain windows under wine).
        const HWND named = c->standard ? c->standard : c->pictureBox ? c->pictureBox->hwnd() : nullptr;
        if (named && !d->accessibleName.empty()) {
            const long role = d->kind == ControlKind::PictureBox ? ROLE_SYSTEM_GRAPHIC
                              : d->kind == ControlKind::ComboBox ? ROLE_SYSTEM_COMBOBOX
                              : d->kind == ControlKind::ListBox  ? ROLE_SYSTEM_LIST
                                                                 : 0;
            nameForAssistiveTechnology(named, wide(d->accessibleName), role);
        }
        if (c->standard) {
            c->background = ::CreateSolidBrush(colourOr(d->backColor, COLOR_WINDOW));
            c->text = colourOr(d->foreColor, COLOR_WINDOWTEXT);
        }
        m_controls.push_back(std::move(c));
    }
    // The focus order as the dialog keys see it: each after the one before.
    HWND previous = HWND_TOP;
    for (const ControlDescription* d : order) {
        const HWND child = control(d->name, d->index);
        if (!child) continue;
        ::SetWindowPos(child, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = child;
    }
}

RECT FormWindow::box(const ControlDescription& d) const {
    return RECT{pixels(d.left), pixels(d.top), pixels(d.left + d.width), pixels(d.top + d.height)};
}

RECT FormWindow::placement(const ControlDescription& d) const {
    RECT r = box(d);
    if (d.kind == ControlKind::ComboBox) r.bottom = r.top + (r.bottom - r.top) * kDropDownRows;  // its list open
    return r;
}

void FormWindow::layout() {
    // The inner area and every child in pixels of this DPI, fonts at the same scale.
    RECT frame{0, 0, pixels(m_innerWidthTwips), pixels(m_innerHeightTwips)};
    ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongW(hwnd(), GWL_STYLE)), FALSE,
                               static_cast<DWORD>(::GetWindowLongW(hwnd(), GWL_EXSTYLE)), static_cast<UINT>(m_dpi));
    ::SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Only what has changed is moved, and fonts are made once per DPI: a button moved or given a
    // font is drawn again.
    for (const auto& c : m_controls) {
        const HWND child = c->hwnd();
        if (!child) continue;
        const ControlDescription& d = *c->d;
        RECT want = placement(d);
        const bool boxDpiChanged = c->pictureBox && c->pictureBox->dpi() != m_dpi;
        if (c->pictureBox) {
            // A box an icon was drawn into keeps the size that gave it, in twips.
            c->pictureBox->setDpi(m_dpi);
            if (const auto w = c->pictureBox->widthTwips()) want.right = want.left + pixels(*w);
            if (const auto h = c->pictureBox->heightTwips()) want.bottom = want.top + pixels(*h);
        }
        if (!::EqualRect(&want, &c->placed)) {
            ::SetWindowPos(child, nullptr, want.left, want.top, want.right - want.left, want.bottom - want.top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            c->placed = want;
        }
        // A box that shows the shell's icon shows it at this DPI's size.
        if (boxDpiChanged) c->pictureBox->drawIconAgain();
        // A button takes the font of this DPI and shows its caption in it at once.
        if (c->button) c->button->setDpi(m_dpi);
        if (c->standard && c->fontDpi != m_dpi) {
            const RECT r = box(d);
            c->font = GdiFont(d.font, m_dpi);
            c->fontDpi = m_dpi;
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(c->font.handle()), TRUE);
            if (d.kind == ControlKind::ComboBox) {
                // The selection field keeps the box's height; the entries of the list are as high as
                // the font, as the plain control makes them.
                ::SendMessageW(child, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                               std::max<LPARAM>(1, (r.bottom - r.top) - 6));
                ::SendMessageW(child, CB_SETITEMHEIGHT, 0, std::max(1, textHeight(child, c->font.handle())));
            }
        }
    }
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void FormWindow::resizeInner(int widthTwips, int heightTwips) {
    m_innerWidthTwips = widthTwips;
    m_innerHeightTwips = heightTwips;
    layout();
}

void FormWindow::sizeToFrameShape() {
    // The designed area is larger than the frame the window shows.
    for (const ControlDescription& d : m_description.controls) {
        if (d.displayName() == m_description.form.frameShape) return resizeInner(d.width, d.height);
    }
}

const FormWindow::Control* FormWindow::find(const std::string& name, int index) const {
    for (const auto& c : m_controls) {
        if (c->d->name == name && c->d->index == index) return c.get();
    }
    return nullptr;
}

XpButtonWin32* FormWindow::button(const std::string& name, int index) const {
    const Control* c = find(name, index);
    return c ? c->button.get() : nullptr;
}

ListBoxWin32* FormWindow::listBox(const std::string& name) const {
    const Control* c = find(name, -1);
    return c ? c->listBox.get() : nullptr;
}

PictureBoxWin32* FormWindow::pictureBox(const std::string& name) const {
    const Control* c = find(name, -1);
    return c ? c->pictureBox.get() : nullptr;
}

HWND FormWindow::control(const std::string& name, int index) const {
    const Control* c = find(name, index);
    return c ? c->hwnd() : nullptr;
}

void FormWindow::focusFirst() {
    for (const ControlDescription* d : m_description.tabStops()) {
        const HWND child = control(d->name, d->index);
        if (child && ::IsWindowVisible(child) && ::IsWindowEnabled(child)) {
            ::SetFocus(child);
            return;
        }
    }
}

ControlDescription* FormWindow::describe(const std::string& name) {
    for (ControlDescription& d : m_description.controls) {
        if (d.name == name && d.index == -1) return &d;
    }
    return nullptr;
}

void FormWindow::setItemText(const std::string& name, const std::string& text) {
    ControlDescription* d = describe(name);
    if (!d) return;
    d->text = text;
    if (const HWND child = control(name)) ::SetWindowTextW(child, wide(text).c_str());
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void FormWindow::setControlVisible(const std::string& name, bool visible) {
    ControlDescription* d = describe(name);
    if (!d) return;
    d->visible = visible;
    if (const HWND child = control(name)) {
        ::ShowWindow(child, visible ? SW_SHOWNA : SW_HIDE);
    } else if (hwnd()) {
        ::InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

std::vector<AccessibleLabel> FormWindow::accessibleLabels() const {
    std::vector<const ControlDescription*> labels;
    for (const auto& c : m_controls)
        if (c->d->kind == ControlKind::Label) labels.push_back(c->d);
    std::stable_sort(labels.begin(), labels.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    std::vector<AccessibleLabel> out;
    for (const ControlDescription* d : labels) out.push_back(AccessibleLabel{wide(d->text), box(*d), d->visible});
    return out;
}

void FormWindow::decodeImages() {
    m_imagesDecoded = true;
    for (const ControlDescription& d : m_description.controls) {
        if (d.kind != ControlKind::Image || d.picture.empty()) continue;
        m_images[d.displayName()] = artPicture(d.picture);
        const RECT r = box(d);
        ::InvalidateRect(hwnd(), &r, FALSE);
    }
}

void FormWindow::paintBackground(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    if (const auto& gradient = m_description.form.gradient) {
        // Bands at the device's own pixel size: each band's height follows the window's.
        PaintGradient(dc, client.right, client.bottom, gradient->colour, gradient->steps, gradient->stepSize);
        return;
    }
    const HBRUSH brush = ::CreateSolidBrush(colourOf(m_description.form.backColor));
    ::FillRect(dc, &client, brush);
    ::DeleteObject(brush);
}

void FormWindow::paintSurface(HDC dc) {
    paintBackground(dc);
    // The windowless items back to front: the frontmost (lowest order) last.
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        const ControlDescription& d = *(*it)->d;
        if (d.hasWindow() || !d.visible) continue;
        switch (d.kind) {
            case ControlKind::Line: {
                const HPEN pen = ::CreatePen(PS_SOLID, penWidth(d.borderWidth, m_dpi), colourOf(d.borderColor));
                const HGDIOBJ old = ::SelectObject(dc, pen);
                ::MoveToEx(dc, pixels(d.x1), pixels(d.y1), nullptr);
                ::LineTo(dc, pixels(d.x2), pixels(d.y2));
                ::SelectObject(dc, old);
                ::DeleteObject(pen);
                break;
            }
            case ControlKind::Shape: {
                // The outline lies inside the shape's box.
                const RECT r = box(d);
                const int width = penWidth(d.borderWidth, m_dpi);
                const HBRUSH brush = ::CreateSolidBrush(colourOf(d.borderColor));
                const RECT edges[] = {{r.left, r.top, r.right, r.top + width},
                                      {r.left, r.bottom - width, r.right, r.bottom},
                                      {r.left, r.top, r.left + width, r.bottom},
                                      {r.right - width, r.top, r.right, r.bottom}};
                for (const RECT& edge : edges) ::FillRect(dc, &edge, brush);
                ::DeleteObject(brush);
                break;
            }
            case ControlKind::Image: {
                const auto found = m_images.find(d.displayName());
                if (found == m_images.end() || !found->second) break;
                const RECT r = box(d);
                if (d.stretch)
                    drawPicture(dc, *found->second, r.left, r.top, r.right - r.left, r.bottom - r.top);
                else
                    drawPicture(dc, *found->second, r.left, r.top);
                break;
            }
            case ControlKind::Label: {
                const GdiFont font(d.font, m_dpi);
                const HGDIOBJ old = ::SelectObject(dc, font.handle());
                RECT r = box(d);
                if (d.opaque) {
                    const HBRUSH brush = ::CreateSolidBrush(colourOr(d.backColor, COLOR_BTNFACE));
                    ::FillRect(dc, &r, brush);
                    ::DeleteObject(brush);
                }
                ::SetBkMode(dc, TRANSPARENT);
                ::SetTextColor(dc, colourOr(d.foreColor, COLOR_BTNTEXT));
                UINT format = d.alignment == TextAlignment::Center  ? DT_CENTER
                              : d.alignment == TextAlignment::Right ? DT_RIGHT
                                                                    : DT_LEFT;
                format |= d.wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
                if (d.autoSize && !d.wordWrap) format |= DT_NOCLIP;
                const std::wstring text = wide(d.text);
                ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
                ::SelectObject(dc, old);
                break;
            }
            default:
                break;
        }
    }
}

bool FormWindow::dragStartsAt(POINT at) const {
    std::vector<SurfaceItem> items;
    for (const auto& c : m_controls) {
        const ControlDescription& d = *c->d;
        if (d.hasWindow()) continue;
        const RECT r = box(d);
        items.push_back(SurfaceItem{d.displayName(), d.kind, d.visible, r.left, r.top, r.right, r.bottom});
    }
    return pressDragsWindow(m_description.form.dragItems, items, at.x, at.y);
}

void FormWindow::onPaintMessage() {
    PAINTSTRUCT ps;
    paintSurface(::BeginPaint(hwnd(), &ps));
    ::EndPaint(hwnd(), &ps);
    if (!m_firstPaintDone) {
        m_firstPaintDone = true;
        ::PostMessageW(hwnd(), kFirstPainted, 0, 0);
    }
}

bool FormWindow::onCommandMessage(WPARAM wParam, LPARAM lParam) {
    // Escape, as the dialog keys report it.
    if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == 0) {
        onEscape();
        return true;
    }
    return lParam && onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
}

namespace {

// Whether `window` is `control` or a part of it: a combo box's field is its child, its drop-down
// list a window of its own at the top level.
bool partOf(HWND control, HWND window) {
    if (control == window || ::IsChild(control, window)) return true;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return ::GetComboBoxInfo(control, &info) && info.hwndList == window;
}

}  // namespace

HBRUSH FormWindow::controlColours(HDC dc, HWND child) const {
    for (const auto& c : m_controls) {
        if (!c->standard || !partOf(c->standard, child)) continue;
        ::SetTextColor(dc, c->text);
        LOGBRUSH brush{};
        ::GetObjectW(c->background, sizeof brush, &brush);
        ::SetBkColor(dc, brush.lbColor);
        return c->background;
    }
    return nullptr;
}

bool FormWindow::drawComboItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlType != ODT_COMBOBOX) return false;
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [&](const auto& c) { return c->standard && c->standard == item.hwndItem; });
    if (found == m_controls.end()) return false;
    const Control& c = **found;
    // As the plain control draws them: the entry under the selection in the system's highlight,
    // the others and the field in the layout's colours.
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(item.hDC, &item.rcItem, selected ? ::GetSysColorBrush(COLOR_HIGHLIGHT) : c.background);
    if (item.itemID != static_cast<UINT>(-1)) {
        const LRESULT length = std::max<LRESULT>(0, ::SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0));
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        ::SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        const HGDIOBJ old = c.font.handle() ? ::SelectObject(item.hDC, c.font.handle()) : nullptr;
        ::SetBkMode(item.hDC, TRANSPARENT);
        ::SetTextColor(item.hDC, selected                          ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                 : (item.itemState & ODS_DISABLED) ? ::GetSysColor(COLOR_GRAYTEXT)
                                                                   : c.text);
        RECT r = item.rcItem;
        r.left += 2;
        ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (old) ::SelectObject(item.hDC, old);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) ::DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

void FormWindow::onMouseMove(WPARAM wParam) {
    if (m_pressOnSurface && m_description.form.border == FormBorder::None) {
        m_pressOnSurface = false;
        FormDrag(mouseButtonState(wParam), hwnd());
    }
}

bool FormWindow::onActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        // The control that had the focus gets it back when the window is active again (after a
        // message box, say), as a dialog does; the window itself would keep it otherwise.
        const HWND focus = ::GetFocus();
        m_focusedControl = focus && ::IsChild(hwnd(), focus) ? focus : nullptr;
        for (const auto& c : m_controls) {
            if (c->button) c->button->model().onWindowDeactivate();
        }
        return false;
    }
    if (m_focusedControl && ::IsWindow(m_focusedControl) && !HIWORD(wParam)) {
        ::SetFocus(m_focusedControl);
        return true;
    }
    return false;
}

void FormWindow::onDpiChanged(int dpi, const RECT& suggested) {
    m_dpi = dpi;
    ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    layout();
    onDpiFollowed();
}

LRESULT FormWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT reflected = 0;
    if (reflect(message, wParam, lParam, reflected)) return reflected;
    // Screen readers: the labels on the surface among the window's children.
    if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT)
        return answerFormObject(hwnd(), wParam);
    // Alt + a key: the button whose access key it is.
    if (message == accessKeyMessage()) return XpButtonWin32::pressAccessKey(hwnd(), static_cast<wchar_t>(wParam));
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the surface is painted whole in WM_PAINT
        case WM_COMMAND:
            if (onCommandMessage(wParam, lParam)) return 0;
            break;
        case WM_PAINT:
            onPaintMessage();
            return 0;
        case WM_PRINTCLIENT:
            paintSurface(reinterpret_cast<HDC>(wParam));
            return 0;
        case kFirstPainted:
            if (!m_imagesDecoded) decodeImages();
            onFirstPainted();
            return 0;
        case WM_DRAWITEM:
            if (drawComboItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
            if (const HBRUSH brush = controlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
                return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_LBUTTONDOWN:
            m_pressOnSurface = dragStartsAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONUP:
            m_pressOnSurface = false;
            return 0;
        case WM_MOUSEMOVE:
            onMouseMove(wParam);
            return 0;
        case WM_ACTIVATE:
            if (onActivate(wParam)) return 0;
            break;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            onClose();
            return 0;
        default:
            break;
    }
    return Wnd::WndProc(message, wParam, lParam);
}

}  // namespace quorvane::win32
