#pragma once

#include <string>

namespace quorvane {

// The about window as its form (frmAbout) changes it.
class AboutView {
public:
    virtual ~AboutView() = default;

    // The title bar's text.
    virtual void setCaption(const std::string& text) = 0;
    // The product title label (lblTitle).
    virtual void setTitleText(const std::string& text) = 0;
    // The photograph (Picture1) and the drawing (Picture2).
    virtual void setPicture1Visible(bool visible) = 0;
    virtual void setPicture2Visible(bool visible) = 0;
    // Unloads the window: its next showing loads it afresh.
    virtual void unload() = 0;
};

}  // namespace quorvane
