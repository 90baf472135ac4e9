#pragma once

#include "platform/Dialogs.h"

class QUrl;

namespace quorvane {

// The local path a file URL names, with the name's own bytes where the URL carries them (a native
// picker's "file:///home/ann/caf%E9" gives the bytes "caf\xE9", not a replacement character).
QString localPathOf(const QUrl& url);

class QtDialogs final : public Dialogs {
public:
    QString browseForFolder(QWidget* owner, const QString& title) override;
    QString openFile(QWidget* owner, const QStringList& nameFilters, const QString& title) override;
};

}  // namespace quorvane
