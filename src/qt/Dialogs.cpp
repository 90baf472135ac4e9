#include "qt/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>
#include <QUrl>

#include "qt/PathText.h"

namespace quorvane {

QString localPathOf(const QUrl& url) {
    if (!url.isLocalFile()) return url.toLocalFile();
    const QByteArray bytes = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return fromCore(bytes.toStdString());
}

namespace {
QWidget* ownerWidget(WindowHandle owner) { return static_cast<QWidget*>(owner); }
}  // namespace

std::string QtDialogs::browseForFolder(WindowHandle owner, const std::string& title) {
    QFileDialog dialog(ownerWidget(owner), fromCore(title));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedUrls().isEmpty()) return {};
    return toCore(QDir::toNativeSeparators(
        QDir::cleanPath(QFileInfo(localPathOf(dialog.selectedUrls().constFirst())).absoluteFilePath())));
}

std::string QtDialogs::openFile(WindowHandle owner, const std::vector<std::string>& nameFilters,
                                const std::string& title) {
    QFileDialog dialog(ownerWidget(owner), fromCore(title));
    dialog.setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);  // each type shows its label alone
    QStringList filters;
    for (const std::string& filter : nameFilters) filters.append(fromCore(filter));
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    // A typed name that is not absolute belongs to the folder shown, not to our working folder.
    const QString chosen = dialog.directory().absoluteFilePath(dialog.selectedFiles().constFirst());
    return toCore(QDir::toNativeSeparators(QDir::cleanPath(chosen)));
}

}  // namespace quorvane
