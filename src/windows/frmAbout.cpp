#include "windows/frmAbout.h"

#include <QHideEvent>
#include <QPainter>
#include <QShortcut>

#include "platform/PathSeparator.h"
#include "platform/PathText.h"
#include "windows/FormLayout.h"
#include "windows/PictureBox.h"
#include "windows/SysInfo.h"
#include "xpbutton/TulmXpButton.h"

namespace quorvane {

namespace {
constexpr const char* kLayout = "frmAbout";
constexpr const char* kProductTitle = "Taskelin Hide/Protect Folder 2.00";
}  // namespace

frmAbout::frmAbout(Services services, QWidget* parent)
    : QWidget(parent),
      m_services(services),
      m_layout(std::make_unique<FormLayout>(*this, FormDescription::embedded(kLayout), services.keys)) {
    m_cmdFace = m_layout->control<TulmXpButton>(u"cmdFace");
    m_cmdUnload = m_layout->control<TulmXpButton>(u"cmdUnload");
    m_cmdSysInfo = m_layout->control<TulmXpButton>(u"cmdSysInfo");
    m_picture1 = m_layout->control<PictureBox>(u"Picture1");
    m_picture2 = m_layout->control<PictureBox>(u"Picture2");
    connect(m_cmdFace, &TulmXpButton::Click, this, &frmAbout::cmdFace_Click);
    connect(m_cmdUnload, &TulmXpButton::Click, this, &frmAbout::cmdUnload_Click);
    connect(m_cmdSysInfo, &TulmXpButton::Click, this, &frmAbout::cmdSysInfo_Click);
    // Escape closes the window as "&OK" does, whichever control has the focus.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &frmAbout::cmdUnload_Click);
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load() {
    setWindowTitle(QStringLiteral("About "));
    m_layout->setText(u"lblTitle", -1, QString::fromLatin1(kProductTitle));
    m_photoShown = false;
    showPortrait();
    m_layout->placeWindow();
    m_cmdUnload->setFocus(Qt::OtherFocusReason);
}

void frmAbout::showPortrait() {
    m_layout->setVisible(u"Picture2", -1, !m_photoShown);
    m_layout->setVisible(u"Picture1", -1, m_photoShown);
}

void frmAbout::cmdFace_Click() {
    m_photoShown = !m_photoShown;
    showPortrait();
}

void frmAbout::cmdUnload_Click() { close(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() {
    quorvane::StartSysInfo(m_services.registry, m_services.fs, m_services.launcher, m_services.messages, kSeparator);
}

bool frmAbout::GetKeyValue(RegKey root, const QString& keyName, const QString& valueName, QString& value) {
    std::string text = toCore(value);
    const bool read = quorvane::GetKeyValue(m_services.registry, root, toCore(keyName), toCore(valueName), text);
    value = fromCore(text);
    return read;
}

void frmAbout::showEvent(QShowEvent* event) {
    // Showing an unloaded window loads it first; showing a loaded one only brings it forward.
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QWidget::showEvent(event);
}

void frmAbout::hideEvent(QHideEvent* event) {
    // Hidden by the program (close box, "&OK", the end of the program) is unloaded; a window
    // manager that minimises it anyway only hides it for a while.
    if (!event->spontaneous()) m_loaded = false;
    QWidget::hideEvent(event);
}

void frmAbout::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    m_layout->paintItems(painter);
    QWidget::paintEvent(event);
}

}  // namespace quorvane
