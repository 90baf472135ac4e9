#include "protect/frmList.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "platform/UserMessages.h"
#include "protect/ListBoxFile.h"
#include "windows/ScreenTwips.h"

namespace quorvane {

namespace {

constexpr int kShapeWidth = 7365;  // Shape1, whose size the window takes at load (twips)
constexpr int kShapeHeight = 2790;

constexpr const char* kTitle = "huh?";

struct Place {
    int left, top, width, height;
};

// Places of the controls (twips).
constexpr Place kList1 = {150, 450, 7065, 1710};
constexpr Place kLabel1 = {75, 150, 2370, 195};
constexpr std::array<Place, 2> kCmd = {{{150, 2250, 1365, 390}, {5850, 2250, 1365, 390}}};
constexpr std::array<const char*, 2> kCmdCaptions = {"Show Folder", "Close"};

}  // namespace

frmList::frmList(Services services, const QString& registerFilePath, ErrorReport reportError, QWidget* parent)
    : QDialog(parent),
      m_services(services),
      m_registerFilePath(registerFilePath),
      m_reportError(std::move(reportError)) {
    setWindowTitle(QStringLiteral("Form1"));
    buildControls();
    load();
}

frmList::~frmList() = default;

void frmList::buildControls() {
    auto place = [this](QWidget* w, const Place& p) {
        w->setGeometry(twips(p.left, this), twips(p.top, this), twips(p.width, this), twips(p.height, this));
    };
    for (std::size_t i = 0; i < m_cmd.size(); ++i) {
        auto* button = new QPushButton(QString::fromLatin1(kCmdCaptions[i]), this);
        button->setAutoDefault(false);
        place(button, kCmd[i]);
        const auto index = static_cast<std::int16_t>(i);
        connect(button, &QPushButton::clicked, this, [this, index] { cmd_Click(index); });
        m_cmd[i] = button;
    }
    m_list1 = new QListWidget(this);
    m_list1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list1->setSortingEnabled(false);
    m_list1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list1->setUniformItemSizes(true);  // one line each; keeps a long register quick to lay out
    place(m_list1, kList1);
    connect(m_list1, &QListWidget::itemDoubleClicked, this, [this] { runReported(&frmList::List1_DblClick); });
    m_label1 = new QLabel(QStringLiteral("Select a folder to make it visible:.."), this);
    place(m_label1, kLabel1);
    m_label1->adjustSize();  // the label sizes itself to its text
    setTabOrder(m_cmd[0], m_cmd[1]);
    setTabOrder(m_cmd[1], m_list1);
}

void frmList::load() {
    resize(width(), twips(kShapeHeight, this));
    resize(twips(kShapeWidth, this), height());
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
    delete m_list1->takeItem(m_list1->row(item));
    m_list1->clearSelection();
    m_list1->setCurrentItem(nullptr);
    SaveListToFile(m_services.fs, m_list1, m_registerFilePath);
    m_services.messages.messageBox("The Folder: \r\n" + path + "\r\n  it's visible now,..", mb::Information,
                                   std::string(kTitle));
}

}  // namespace quorvane
