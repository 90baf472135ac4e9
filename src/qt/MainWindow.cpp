#include "qt/MainWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMouseEvent>

#include "qt/PathText.h"
#include "qt/ListWindow.h"
#include "qt/AboutWindow.h"
#include "qt/FormChrome.h"
#include "qt/FormLayout.h"
#include "qt/PictureBox.h"
#include "qt/TulmXpButton.h"

namespace quorvane {

namespace {

// Silent unless asked for (QT_LOGGING_RULES="quorvane.register.debug=true"): where the register is.
Q_LOGGING_CATEGORY(lcRegister, "quorvane.register", QtWarningMsg)

}  // namespace

MainWindow::MainWindow(Services services, const QString& applicationDirectory, QWidget* parent)
    : QWidget(parent), m_services(services), m_form(services, *this, toCore(applicationDirectory)) {
    buildControls();
    m_form.Form_Load();
    qCDebug(lcRegister) << "register file:" << fromCore(m_form.RegisterFilePath());
    m_layout->placeWindow();
    m_layout->focusFirst();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    m_layout = std::make_unique<FormLayout>(*this, FormDescription::embedded("frmMain"), m_services.keys);
    m_surface = std::make_unique<FormSurface>(*this, *m_layout);
    for (std::size_t i = 0; i < m_cmd.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        m_cmd[i] = m_layout->control<TulmXpButton>(u"cmd", index);
        connect(m_cmd[i], &TulmXpButton::Click, this, [this, index] { m_form.cmd_Click(index); });
    }
    m_cmb1 = m_layout->control<QComboBox>(u"cmb1");
    m_text1 = m_layout->control<QLineEdit>(u"Text1");
    m_picture1 = m_layout->control<PictureBox>(u"Picture1");
    m_picture2 = m_layout->control<PictureBox>(u"Picture2");
    m_currentIcon = QtPictureBox(m_picture1);
    m_newIcon = QtPictureBox(m_picture2);
}

ListWindow* MainWindow::listWindow() const { return m_list; }

void MainWindow::setWindowMover(WindowMover& mover) { m_surface->setWindowMover(mover); }

WindowMover& MainWindow::windowMover() const { return m_surface->windowMover(); }

void MainWindow::paintEvent(QPaintEvent*) { m_surface->paint(); }

void MainWindow::mousePressEvent(QMouseEvent* event) {
    m_surface->mousePress(*event);
    QWidget::mousePressEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    m_surface->mouseMove(*event);
    QWidget::mouseMoveEvent(event);
}

WindowHandle MainWindow::hWnd() { return static_cast<QWidget*>(this); }

void MainWindow::sizeToShape() { m_layout->sizeToFrameShape(); }

void MainWindow::addDisguise(const std::string& caption) { m_cmb1->addItem(fromCore(caption)); }

int MainWindow::disguiseIndex() { return m_cmb1->currentIndex(); }

void MainWindow::setDisguiseIndex(int index) { m_cmb1->setCurrentIndex(index); }

std::string MainWindow::pathText() { return toCore(m_text1->text()); }

void MainWindow::setPathText(const std::string& text) { m_text1->setText(fromCore(text)); }

std::unique_ptr<ListView> MainWindow::loadList(const std::string& registerFilePath) {
    auto list = std::make_unique<ListWindow>(m_services, registerFilePath, this);
    list->setWindowMover(windowMover());
    m_list = list.get();
    return list;
}

void MainWindow::showAbout() {
    if (!m_about) m_about = std::make_unique<AboutWindow>(m_services);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::endProgram() {
    // Every other window goes with the main one, without running its handlers.
    if (m_about) m_about->hide();
    hide();
    QCoreApplication::quit();
}

}  // namespace quorvane
