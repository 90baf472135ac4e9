#include "platform/QtDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QUrl>

#include "platform/PathText.h"

namespace quorvane {

QString localPathOf(const QUrl& url) {
    if (!url.isLocalFile()) return url.toLocalFile();
    const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return fromCore(bytes.toStdString());
}

QString QtDialogs::browseForFolder(QWidget* owner, const QString& title) {
    QFileDialog dialog(owner, title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedUrls().isEmpty()) return {};
    return QDir::toNativeSeparators(
        QDir::cleanPath(QFileInfo(localPathOf(dialog.selectedUrls().constFirst())).absoluteFilePath()));
}

QString QtDialogs::openFile(QWidget* owner, const QStringList& nameFilters, const QString& title) {
    QFileDialog dialog(owner, title);
    dialog.setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);  // each type shows its label alone
    dialog.setNameFilters(nameFilters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    // A typed name that is not absolute belongs to the folder shown, not to our working folder.
    const QString chosen = dialog.directory().absoluteFilePath(dialog.selectedFiles().constFirst());
    return QDir::toNativeSeparators(QDir::cleanPath(chosen));
}

}  // namespace quorvane
