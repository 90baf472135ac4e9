#pragma once

#include "platform/Dialogs.h"

namespace quorvane {

class QtDialogs final : public Dialogs {
public:
    QString browseForFolder(QWidget* owner, const QString& title) override;
    QString openFile(QWidget* owner, const QStringList& nameFilters, const QString& title) override;
};

}  // namespace quorvane
