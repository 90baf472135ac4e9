#include "protect/frmMain.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMouseEvent>

#include "dialogs/ComDialog.h"
#include "platform/Error.h"
#include "platform/PathText.h"
#include "platform/UserMessages.h"
#include "protect/Disguise.h"
#include "protect/PathHelpers.h"
#include "protect/RegisterLocation.h"
#include "protect/ShellIcon.h"
#include "windows/FormChrome.h"
#include "windows/FormLayout.h"
#include "windows/PictureBox.h"
#include "windows/frmAbout.h"
#include "xpbutton/TulmXpButton.h"

namespace quorvane {

namespace {

// Silent unless asked for (QT_LOGGING_RULES="quorvane.register.debug=true"): where the register is.
Q_LOGGING_CATEGORY(lcRegister, "quorvane.register", QtWarningMsg)

// From the window's background colour, 143, 175, 164, in 20 bands darker by 2 each.
constexpr FormSurface::Gradient kBackground{0x00A4AF8F, 20, 2};

}  // namespace

frmMain::frmMain(Services services, const QString& applicationDirectory, QWidget* parent)
    : QWidget(parent), m_services(services), m_applicationDirectory(applicationDirectory) {
    buildControls();
    load();
    m_layout->placeWindow();
    m_layout->focusFirst();
}

frmMain::~frmMain() = default;

void frmMain::buildControls() {
    m_layout = std::make_unique<FormLayout>(*this, FormDescription::embedded("frmMain"), m_services.keys);
    // The banner takes drags like the surface; the icon and the labels do not.
    m_surface =
        std::make_unique<FormSurface>(*this, *m_layout, kBackground, std::vector<QString>{QStringLiteral("Image1")});
    for (std::size_t i = 0; i < m_cmd.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        m_cmd[i] = m_layout->control<TulmXpButton>(u"cmd", index);
        connect(m_cmd[i], &TulmXpButton::Click, this, [this, index] { cmd_Click(index); });
    }
    m_cmb1 = m_layout->control<QComboBox>(u"cmb1");
    m_text1 = m_layout->control<QLineEdit>(u"Text1");
    m_picture1 = m_layout->control<PictureBox>(u"Picture1");
    m_picture2 = m_layout->control<PictureBox>(u"Picture2");
}

void frmMain::load() {
    const QRect shape = m_layout->find(u"Shape1")->rect;
    resize(width(), shape.height());
    resize(shape.width(), height());
    for (std::string_view caption : kDisguiseCaptions) m_cmb1->addItem(fromCore(std::string(caption)));
    m_cmb1->setCurrentIndex(-1);
    m_text1->setText(m_applicationDirectory);
    m_folderPath = m_text1->text();
    const std::string applicationDirectory = toCore(m_applicationDirectory);
    m_registerFilePath =
        fromCore(Slash(RegisterFolder(applicationDirectory, installFactsFor(applicationDirectory))) + "l0g.ext");
    qCDebug(lcRegister) << "register file:" << m_registerFilePath;
    DrawShellIcon(m_services.icons, m_folderPath, m_picture1, 32);
}

void frmMain::setWindowMover(WindowMover& mover) { m_surface->setWindowMover(mover); }

WindowMover& frmMain::windowMover() const { return m_surface->windowMover(); }

void frmMain::paintEvent(QPaintEvent*) { m_surface->paint(); }

void frmMain::mousePressEvent(QMouseEvent* event) {
    m_surface->mousePress(*event);
    QWidget::mousePressEvent(event);
}

void frmMain::mouseMoveEvent(QMouseEvent* event) {
    m_surface->mouseMove(*event);
    QWidget::mouseMoveEvent(event);
}

void frmMain::cmd_Click(std::int16_t Index) {
    if (m_busy) return;  // an action is still running (for instance loading the list window)
    try {
        switch (Index) {
            case 0:
                FolderIcon();
                break;
            case 1:
                LockFolder();
                break;
            case 2:
                UnlockFolder();
                break;
            case 3:
                HideFolder();
                break;
            case 4:
                ShowList();
                break;
            case 5:
                LoadIcon();
                break;
            case 6:
                ChangeIcon();
                break;
            case 7:
                SetDefault();
                break;
            case 8:
                showAbout();
                break;
            case 9:
                exitProgram();
                break;
            default:
                break;
        }
    } catch (const PlatformError& error) {
        reportError(error);
    } catch (const std::exception& error) {
        reportError(PlatformError(51, std::string("Internal error: ") + error.what()));
    }
}

void frmMain::reportError(const PlatformError& error) {
    // The top-level error report. The program goes on with what the action left behind.
    m_services.messages.messageBox(errorReportText(error), mb::Critical, std::string(kAppTitle));
}

void frmMain::FolderIcon() {
    // Each failing step is skipped; nothing is shown.
    try {
        m_folderPath = BrowseForFolder(m_services.dialogs, this, QStringLiteral("Select a folder to edit"));
    } catch (const std::exception&) {
    }
    if (m_folderPath.size() > 3) {
        try {
            m_text1->setText(m_folderPath);
        } catch (const std::exception&) {
        }
        try {
            DrawShellIcon(m_services.icons, m_folderPath, m_picture1, 32);
        } catch (const std::exception&) {
        }
    }
}

void frmMain::FillVar() { m_folderPath = m_text1->text(); }

void frmMain::showAbout() {
    if (!m_about) m_about = std::make_unique<frmAbout>(m_services);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void frmMain::exitProgram() {
    // Every other window goes with the main one, without running its handlers.
    if (m_about) m_about->hide();
    hide();
    QCoreApplication::quit();
}

}  // namespace quorvane
