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

QStringList pickerNameFilters(const QString& filter) {
    QStringList parts = filter.split(QChar(u'\0'));
    while (!parts.isEmpty() && parts.constLast().isEmpty()) parts.removeLast();  // the list's closing NULs
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(QLatin1Char(';'))) {
            const QString trimmed = pattern.trimmed();
            if (!trimmed.isEmpty()) patterns.append(trimmed);
        }
        result.append(parts.at(i) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return result;
}

QString ShowOpenDialog(Dialogs& dialogs, QWidget* owner, const QString& filter, const QString& title,
                       std::uint32_t /*flags: the picker is always explorer-style and takes typed names*/) {
    try {
        const QString chosen = fromCore(StripAtNull(toCore(dialogs.openFile(owner, pickerNameFilters(filter), title))));
        // Characters, not UTF-16 units: the limit is the size of the dialog's result buffer.
        if (chosen.toUcs4().size() > kOpenDialogMaxPath) return {};
        return chosen;
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace quorvane
