#include "support/FakeViews.h"

#include <filesystem>
#include <functional>

namespace quorvane::test {

std::optional<IconImage> FakeShellIcons::iconFor(const std::string& path, int size) {
    lookups.push_back({path, size});
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(std::filesystem::path(std::u8string(path.begin(), path.end())), error))
        return std::nullopt;
    return pictureOf(path, size);
}

IconImage FakeShellIcons::pictureOf(const std::string& path, int size) {
    const auto colour = static_cast<std::uint32_t>(std::hash<std::string>{}(path)) | 0xFF000000u;
    return IconImage{size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size, colour)};
}

void FakePictureBox::setHeight(int twips) {
    height = twips;
    steps.push_back("height " + std::to_string(twips));
}

void FakePictureBox::setWidth(int twips) {
    width = twips;
    steps.push_back("width " + std::to_string(twips));
}

void FakePictureBox::clearPicture() {
    picture.reset();
    steps.push_back("clear");
}

void FakePictureBox::drawPicture(const IconImage& drawn, int x, int y) {
    picture = drawn;
    steps.push_back("draw at " + std::to_string(x) + "," + std::to_string(y));
}

void FakePictureBox::refresh() { steps.push_back("refresh"); }

void FakeListBox::addLines(RegisterLines&& lines) {
    // A block given after items were there is not the file: no block is held then.
    const bool first = items.empty() && blocks == 0;
    for (std::size_t i = 0; i < lines.size(); ++i) items.push_back(lines.text(i));
    if (!holdsLines) return;
    blocks = first ? 1 : 2;
    block = std::move(lines);
}

void FakeListBox::removeItem(int index) {
    if (lines()) block.remove(static_cast<std::size_t>(index));
    items.erase(items.begin() + index);
    if (selected == index) selected = -1;
    if (selected > index) --selected;
}

FakeListView::FakeListView(Services services, const std::string& registerFilePath,
                           std::function<void(FakeListView&)> whenShown)
    : m_whenShown(std::move(whenShown)), m_form(services, *this, registerFilePath) {
    m_form.Form_Load();
}

FakeListView::~FakeListView() {
    if (onDestroyed) onDestroyed();
}

void FakeListView::showModal() {
    shown = true;
    if (m_whenShown) m_whenShown(*this);
}

std::unique_ptr<ListView> FakeMainView::loadList(const std::string& registerFilePath) {
    ++listsLoaded;
    ++listsAlive;
    listRegister = registerFilePath;
    auto list = std::make_unique<FakeListView>(m_services, registerFilePath, whenListShown);
    list->list.holdsLines = listsHoldLines;
    list->onDestroyed = [this] { --listsAlive; };
    return list;
}

}  // namespace quorvane::test
