#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quorvane {

// The platform's common dialogs, modal and owned by `owner`.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen folder's absolute path (directories of the file system only), or "" on cancel.
    virtual QString browseForFolder(QWidget* owner, const QString& title) = 0;
    // The confirmed file's absolute path, or "" on cancel. A typed name of a missing file comes back
    // as a path in the folder shown. `nameFilters` are in the picker's own form ("Label (*.a *.b)").
    virtual QString openFile(QWidget* owner, const QStringList& nameFilters, const QString& title) = 0;
};

}  // namespace quorvane
