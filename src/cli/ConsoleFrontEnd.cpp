#include "cli/ConsoleFrontEnd.h"

#include <ostream>

#include "cli/CommandLine.h"

namespace quorvane::cli {

namespace {

// CR LF, the message boxes' line break, as the stream's own.
std::string asLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

}  // namespace

void ConsoleMessages::messageBox(const std::string& text, int style, const std::optional<std::string>&) {
    if ((style & mb::Critical) != 0) {
        m_failed = true;
        m_err << kProgramName << ": " << asLines(text) << std::endl;
    } else {
        m_out << asLines(text) << std::endl;
    }
}

ConsoleList::ConsoleList(Services services, const std::string& registerFilePath,
                         std::function<void(ConsoleList&)> onShow)
    : m_onShow(std::move(onShow)), m_form(services, *this, registerFilePath) {
    m_form.Form_Load();
}

void ConsoleList::showModal() {
    if (m_onShow) m_onShow(*this);
}

void ConsoleList::addLines(RegisterLines&& lines) {
    const bool first = m_blocks == 0 && m_lines.empty();
    m_lines.append(std::move(lines));
    m_blocks = first ? 1 : 2;
}

void ConsoleList::removeItem(int index) {
    if (index < 0 || index >= count()) return;
    m_lines.remove(static_cast<std::size_t>(index));
    if (m_selected == index) m_selected = -1;
}

std::unique_ptr<ListView> ConsoleMain::loadList(const std::string& registerFilePath) {
    listShown = true;
    return std::make_unique<ConsoleList>(m_services, registerFilePath, onList);
}

}  // namespace quorvane::cli
