#pragma once

#include "platform/Dialogs.h"

namespace quorvane {

// Qt's file dialogs. The owner handle is the owning QWidget.
class QtDialogs final : public Dialogs {
public:
    std::string browseForFolder(WindowHandle owner, const std::string& title) override;
    std::string openFile(WindowHandle owner, const std::vector<std::string>& nameFilters,
                         const std::string& title) override;
};

}  // namespace quorvane
