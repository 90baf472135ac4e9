#include "protect/frmList.h"

#include <QListWidget>
#include <QMouseEvent>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "platform/UserMessages.h"
#include "protect/ListBoxFile.h"
#include "protect/Register.h"
#include "windows/FormChrome.h"
#include "windows/FormLayout.h"
#include "xpbutton/TulmXpButton.h"

namespace quorvane {

namespace {

constexpr const char* kTitle = "huh?";

// From the window's background colour, 143, 175, 164, in 20 bands darker by 2 each.
constexpr FormSurface::Gradient kBackground{0x00A4AF8F, 20, 2};

}  // namespace

frmList::frmList(Services services, const QString& registerFilePath, ErrorReport reportError, QWidget* parent)
    : QDialog(parent),
      m_services(services),
      m_registerFilePath(registerFilePath),
      m_reportError(std::move(reportError)) {
    buildControls();
    load();
    m_layout->focusFirst();
}

frmList::~frmList() = default;

void frmList::buildControls() {
    m_layout = std::make_unique<FormLayout>(*this, FormDescription::embedded("frmList"), m_services.keys);
    m_surface = std::make_unique<FormSurface>(*this, *m_layout, kBackground);
    for (std::size_t i = 0; i < m_cmd.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        m_cmd[i] = m_layout->control<TulmXpButton>(u"cmd", index);
        connect(m_cmd[i], &TulmXpButton::Click, this, [this, index] { cmd_Click(index); });
    }
    m_list1 = m_layout->control<QListWidget>(u"List1");
    m_list1->setUniformItemSizes(true);  // one line each; keeps a long register quick to lay out
    connect(m_list1, &QListWidget::itemDoubleClicked, this, [this] { runReported(&frmList::List1_DblClick); });
}

void frmList::load() {
    const QRect shape = m_layout->find(u"Shape1")->rect;
    resize(width(), shape.height());
    resize(shape.width(), height());
}

void frmList::setWindowMover(WindowMover& mover) { m_surface->setWindowMover(mover); }

void frmList::paintEvent(QPaintEvent*) { m_surface->paint(); }

void frmList::mousePressEvent(QMouseEvent* event) {
    m_surface->mousePress(*event);
    QDialog::mousePressEvent(event);
}

void frmList::mouseMoveEvent(QMouseEvent* event) {
    m_surface->mouseMove(*event);
    QDialog::mouseMoveEvent(event);
}

void frmList::runReported(void (frmList::*action)()) {
    // Nothing may leave an event handler; the failure goes to the error report and the window stays.
    try {
        (this->*action)();
    } catch (const PlatformError& error) {
        m_reportError(error);
    } catch (const std::exception& error) {
        m_reportError(PlatformError(51, std::string("Internal error: ") + error.what()));
    }
}

void frmList::cmd_Click(std::int16_t Index) {
    if (Index == 1) {
        close();
        return;
    }
    runReported(&frmList::ShowFolder);
}

void frmList::List1_DblClick() { ShowFolder(); }

void frmList::ShowFolder() {
    const QList<QListWidgetItem*> selected = m_list1->selectedItems();
    QListWidgetItem* item = selected.isEmpty() ? nullptr : selected.front();
    const std::string path = item ? ItemPath(item) : std::string();
    if (path.empty()) {
        m_services.messages.messageBox("Select a folder!", mb::Information, std::string(kTitle));
        return;
    }
    m_services.fs.setAttributes(path, attr::Archive);
    const int row = m_list1->row(item);
    delete m_list1->takeItem(row);
    m_list1->clearSelection();
    m_list1->setCurrentItem(nullptr);
    // The register on disk loses exactly this entry; what the list may lack (a load cut short,
    // a folder hidden meanwhile by another copy of the program) stays in it.
    removeFromRegister(m_services.fs, toCore(m_registerFilePath), path, static_cast<std::size_t>(row));
    m_services.messages.messageBox("The Folder: \r\n" + path + "\r\n  it's visible now,..", mb::Information,
                                   std::string(kTitle));
}

}  // namespace quorvane
