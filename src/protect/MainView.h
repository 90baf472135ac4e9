#pragma once

#include <memory>
#include <string>

#include "platform/Dialogs.h"

namespace quorvane {

class ListView;
class PictureBoxView;

// The main window as its form (frmMain) reads and changes it: the disguise choice (cmb1), the path
// box (Text1), the two icon boxes, and the other windows it opens and closes.
class MainView {
public:
    virtual ~MainView() = default;

    // The window, as the owner of the dialogs it opens.
    virtual WindowHandle hWnd() = 0;
    // The window's size becomes its frame shape's (the layout's "frameShape"): the height first,
    // then the width.
    virtual void sizeToShape() = 0;

    // Appends a caption to the disguise choice.
    virtual void addDisguise(const std::string& caption) = 0;
    // The chosen disguise's list position, -1 when none is chosen.
    virtual int disguiseIndex() = 0;
    virtual void setDisguiseIndex(int index) = 0;

    // The path box's text.
    virtual std::string pathText() = 0;
    virtual void setPathText(const std::string& text) = 0;

    // Picture1, "Current Icon": the icon of the folder worked on.
    virtual PictureBoxView& currentIcon() = 0;
    // Picture2, "New Icon": the icon file chosen last.
    virtual PictureBoxView& newIcon() = 0;

    // The list window of hidden folders over the register at `registerFilePath`, loaded (its load
    // event has run) but not shown; it belongs to this window and is unloaded when the result goes.
    virtual std::unique_ptr<ListView> loadList(const std::string& registerFilePath) = 0;
    // Loads the about window unless it is loaded and shows it without modality and without owner,
    // in front. There is never a second one.
    virtual void showAbout() = 0;
    // Unloads this window and ends the program; every other window goes with it, unasked.
    virtual void endProgram() = 0;
};

}  // namespace quorvane
