#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/KeyInjector.h"
#include "platform/Services.h"
#include "platform/ShellIcons.h"
#include "protect/ListBoxView.h"
#include "protect/RegisterLines.h"
#include "protect/ListView.h"
#include "protect/MainView.h"
#include "protect/frmList.h"
#include "layouts/AboutView.h"
#include "layouts/PictureBoxView.h"

namespace quorvane::test {

// Icons of a fixed making: every existing path gets a picture of its own (see pictureOf), a
// missing one nothing. Every lookup is recorded.
class FakeShellIcons final : public ShellIcons {
public:
    std::optional<IconImage> iconFor(const std::string& path, int size) override;
    // The picture an existing `path` gets: size x size pixels of one opaque colour made from the path.
    static IconImage pictureOf(const std::string& path, int size = 32);

    struct Lookup {
        std::string path;
        int size;
    };
    std::vector<Lookup> lookups;
};

// A picture box that keeps what was done to it: its size in twips (-1 until set), the picture it
// shows (none after a clear), and every step in order.
class FakePictureBox final : public PictureBoxView {
public:
    void setHeight(int twips) override;
    void setWidth(int twips) override;
    void clearPicture() override;
    void drawPicture(const IconImage& picture, int x, int y) override;
    void refresh() override;

    int height = -1;
    int width = -1;
    std::optional<IconImage> picture;
    std::vector<std::string> steps;
};

// A list of plain items; with `holdsLines` it also keeps the lines it is given as one block, as
// the windows' lists do (the items then mirror the block).
class FakeListBox final : public ListBoxView {
public:
    int count() const override { return static_cast<int>(items.size()); }
    std::string item(int index) const override { return items.at(static_cast<std::size_t>(index)); }
    void addLines(RegisterLines&& lines) override;
    const RegisterLines* lines() const override { return blocks == 1 ? &block : nullptr; }
    int selectedIndex() const override { return selected; }
    void removeItem(int index) override;
    void clearSelection() override { selected = -1; }

    std::vector<std::string> items;
    int selected = -1;
    bool holdsLines = false;
    RegisterLines block;
    int blocks = 0;
};

// The list window: it holds its form as the real one does; showing it runs `whenShown`, as the
// user would while it is up, and returns as though the user then closed it.
class FakeListView final : public ListView {
public:
    FakeListView(Services services, const std::string& registerFilePath, std::function<void(FakeListView&)> whenShown);
    ~FakeListView() override;

    frmList& form() { return m_form; }

    void sizeToShape() override { ++sized; }
    ListBoxView& listBox() override { return list; }
    void showModal() override;
    void unload() override { ++unloads; }

    FakeListBox list;
    int sized = 0;
    int unloads = 0;
    bool shown = false;
    // Set while this window lives; read by the test after the window has gone.
    std::function<void()> onDestroyed;

private:
    std::function<void(FakeListView&)> m_whenShown;
    frmList m_form;
};

// The main window: the disguise choice, the path box and the two icon boxes as plain values; the
// list windows it makes are FakeListViews that run `whenListShown`.
class FakeMainView final : public MainView {
public:
    explicit FakeMainView(Services services) : m_services(services) {}

    WindowHandle hWnd() override { return this; }
    void sizeToShape() override { ++sized; }
    void addDisguise(const std::string& caption) override { disguises.push_back(caption); }
    int disguiseIndex() override { return disguise; }
    void setDisguiseIndex(int index) override { disguise = index; }
    std::string pathText() override { return path; }
    void setPathText(const std::string& text) override { path = text; }
    PictureBoxView& currentIcon() override { return picture1; }
    PictureBoxView& newIcon() override { return picture2; }
    std::unique_ptr<ListView> loadList(const std::string& registerFilePath) override;
    void showAbout() override { ++aboutShown; }
    void endProgram() override { ++ended; }

    int sized = 0;
    std::vector<std::string> disguises;
    int disguise = -1;
    std::string path;
    FakePictureBox picture1;
    FakePictureBox picture2;
    std::function<void(FakeListView&)> whenListShown;
    int listsLoaded = 0;
    // The lists made hold their lines as one block, as the windows' lists do.
    bool listsHoldLines = false;
    int listsAlive = 0;
    std::string listRegister;  // the register the last list window was made over
    int aboutShown = 0;
    int ended = 0;

private:
    Services m_services;
};

class FakeAboutView final : public AboutView {
public:
    void setCaption(const std::string& text) override { caption = text; }
    void setTitleText(const std::string& text) override { titleText = text; }
    void setPicture1Visible(bool visible) override { picture1Visible = visible; }
    void setPicture2Visible(bool visible) override { picture2Visible = visible; }
    void unload() override { ++unloads; }

    std::string caption = "About MyApp";
    std::string titleText = "Application Title";
    std::optional<bool> picture1Visible;
    std::optional<bool> picture2Visible;
    int unloads = 0;
};

// Keystrokes recorded instead of sent.
class RecordingKeys final : public KeyInjector {
public:
    void sendKeys(const std::string& keys) override { sent.push_back(keys); }
    std::vector<std::string> sent;
};

}  // namespace quorvane::test
