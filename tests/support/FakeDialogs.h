#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "platform/Dialogs.h"

namespace quorvane::test {

// Answers the dialogs with queued results ("" once the queue is empty, like a cancel) and keeps
// what each call was asked.
class FakeDialogs final : public Dialogs {
public:
    QString browseForFolder(QWidget* owner, const QString& title) override {
        lastOwner = owner;
        lastTitle = title;
        ++browseCalls;
        return next(folders);
    }
    QString openFile(QWidget* owner, const QStringList& nameFilters, const QString& title) override {
        lastOwner = owner;
        lastTitle = title;
        lastFilters = nameFilters;
        ++openCalls;
        return next(files);
    }

    std::deque<QString> folders;
    std::deque<QString> files;
    QWidget* lastOwner = nullptr;
    QString lastTitle;
    QStringList lastFilters;
    int browseCalls = 0;
    int openCalls = 0;

private:
    static QString next(std::deque<QString>& queue) {
        if (queue.empty()) return {};
        QString result = queue.front();
        queue.pop_front();
        return result;
    }
};

}  // namespace quorvane::test
