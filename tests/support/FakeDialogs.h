#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace quorvane::test {

// Answers the dialogs with queued results ("" once the queue is empty, like a cancel) and keeps
// what each call was asked.
class FakeDialogs final : public Dialogs {
public:
    std::string browseForFolder(WindowHandle owner, const std::string& title) override {
        lastOwner = owner;
        lastTitle = title;
        ++browseCalls;
        return next(folders);
    }
    std::string openFile(WindowHandle owner, const std::vector<std::string>& nameFilters,
                         const std::string& title) override {
        lastOwner = owner;
        lastTitle = title;
        lastFilters = nameFilters;
        ++openCalls;
        return next(files);
    }

    std::deque<std::string> folders;
    std::deque<std::string> files;
    WindowHandle lastOwner = nullptr;
    std::string lastTitle;
    std::vector<std::string> lastFilters;
    int browseCalls = 0;
    int openCalls = 0;

private:
    static std::string next(std::deque<std::string>& queue) {
        if (queue.empty()) return {};
        std::string result = queue.front();
        queue.pop_front();
        return result;
    }
};

}  // namespace quorvane::test
