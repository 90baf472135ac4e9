#include "dialogs/ComDialog.h"

#include <exception>

#include "dialogs/StripAtNull.h"
#include "platform/Dialogs.h"
#include "platform/PathText.h"

namespace quorvane {

QString BrowseForFolder(Dialogs& dialogs, QWidget* owner, const QString& title) {
    try {
        return fromCore(StripAtNull(toCore(dialogs.browseForFolder(owner, title))));
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace quorvane
