#pragma once

#include <QString>

#include "platform/Dialogs.h"

class QUrl;

namespace quorvane {

// The local path a file URL names, with the name's own bytes where the URL carries them (a native
// picker's "file:///home/ann/caf%E9" gives the bytes "caf\xE9", not a replacement character).
QString localPathOf(const QUrl& url);

// Qt's file dialogs. The owner handle is the owning QWidget.
class QtDialogs final : public Dialogs {
public:
    std::string browseForFolder(WindowHandle owner, const std::string& title) override;
    std::string openFile(WindowHandle owner, const std::vector<std::string>& nameFilters,
                         const std::string& title) override;
};

}  // namespace quorvane
