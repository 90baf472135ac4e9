#pragma once

#include <QString>

class QWidget;

namespace quorvane {

class Dialogs;

// Runs the folder browser owned by `owner` with `title` as its instruction; the chosen folder's
// full path, or "" on cancel or failure. Never raises an error.
QString BrowseForFolder(Dialogs& dialogs, QWidget* owner, const QString& title);

}  // namespace quorvane
