#include "qt/AboutWindow.h"

#include <QHideEvent>
#include <QPainter>
#include <QShortcut>

#include "qt/PathText.h"
#include "qt/FormLayout.h"
#include "qt/PictureBox.h"
#include "qt/TulmXpButton.h"

namespace quorvane {

namespace {
constexpr const char* kLayout = "frmAbout";
}  // namespace

AboutWindow::AboutWindow(Services services, QWidget* parent)
    : QWidget(parent),
      m_services(services),
      m_layout(std::make_unique<FormLayout>(*this, FormDescription::embedded(kLayout), services.keys)),
      m_form(services, *this) {
    m_cmdFace = m_layout->control<TulmXpButton>(u"cmdFace");
    m_cmdUnload = m_layout->control<TulmXpButton>(u"cmdUnload");
    m_cmdSysInfo = m_layout->control<TulmXpButton>(u"cmdSysInfo");
    m_picture1 = m_layout->control<PictureBox>(u"Picture1");
    m_picture2 = m_layout->control<PictureBox>(u"Picture2");
    connect(m_cmdFace, &TulmXpButton::Click, this, [this] { m_form.cmdFace_Click(); });
    connect(m_cmdUnload, &TulmXpButton::Click, this, [this] { m_form.cmdUnload_Click(); });
    connect(m_cmdSysInfo, &TulmXpButton::Click, this, [this] { m_form.cmdSysInfo_Click(); });
    // Escape closes the window as "&OK" does, whichever control has the focus.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { m_form.cmdUnload_Click(); });
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::setCaption(const std::string& text) { setWindowTitle(fromCore(text)); }

void AboutWindow::setTitleText(const std::string& text) { m_layout->setText(u"lblTitle", -1, fromCore(text)); }

void AboutWindow::setPicture1Visible(bool visible) { m_layout->setVisible(u"Picture1", -1, visible); }

void AboutWindow::setPicture2Visible(bool visible) { m_layout->setVisible(u"Picture2", -1, visible); }

void AboutWindow::unload() { close(); }

void AboutWindow::showEvent(QShowEvent* event) {
    // Showing an unloaded window loads it first; showing a loaded one only brings it forward.
    if (!m_loaded) {
        m_loaded = true;
        m_form.Form_Load();
        m_layout->placeWindow();
        m_cmdUnload->setFocus(Qt::OtherFocusReason);
    }
    QWidget::showEvent(event);
}

void AboutWindow::hideEvent(QHideEvent* event) {
    // Hidden by the program (close box, "&OK", the end of the program) is unloaded; a window
    // manager that minimises it anyway only hides it for a while.
    if (!event->spontaneous()) m_loaded = false;
    QWidget::hideEvent(event);
}

void AboutWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    m_layout->paintItems(painter);
    QWidget::paintEvent(event);
}

}  // namespace quorvane
