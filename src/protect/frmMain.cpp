#include "protect/frmMain.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>

#include "dialogs/ComDialog.h"
#include "platform/Error.h"
#include "platform/PathText.h"
#include "platform/UserMessages.h"
#include "protect/Disguise.h"
#include "protect/PathHelpers.h"
#include "protect/RegisterLocation.h"
#include "protect/ShellIcon.h"
#include "windows/PictureBox.h"
#include "windows/ScreenTwips.h"
#include "windows/frmAbout.h"

namespace quorvane {

namespace {

// Silent unless asked for (QT_LOGGING_RULES="quorvane.register.debug=true"): where the register is.
Q_LOGGING_CATEGORY(lcRegister, "quorvane.register", QtWarningMsg)

constexpr int kShapeWidth = 3690;  // Shape1, whose size the window takes at load (twips)
constexpr int kShapeHeight = 6540;

struct ButtonPlace {
    const char* caption;
    int left, top, width, height;
};

// Captions and places (twips) of the command buttons, by index.
constexpr std::array<ButtonPlace, 10> kButtons = {{
    {"...", 3075, 1425, 315, 315},
    {"Lock Folder", 1950, 2175, 1515, 390},
    {"Unlock Folder", 1950, 2625, 1515, 390},
    {"Hide Folder", 225, 3600, 1515, 390},
    {"Show Folder", 1950, 3600, 1515, 390},
    {"Open icon", 2175, 4350, 1140, 315},
    {"Change Icon", 1950, 4800, 1515, 390},
    {"Set Default Icon", 1950, 5250, 1515, 390},
    {"About,..", 225, 6000, 1515, 390},
    {"Exit", 1950, 6000, 1515, 390},
}};

}  // namespace

frmMain::frmMain(Services services, const QString& applicationDirectory, QWidget* parent)
    : QWidget(parent), m_services(services), m_applicationDirectory(applicationDirectory) {
    setWindowTitle(QStringLiteral("Velmoran v2.0"));
    buildControls();
    load();
}

frmMain::~frmMain() = default;

void frmMain::buildControls() {
    auto place = [this](QWidget* w, int left, int top, int width, int height) {
        w->setGeometry(twips(left, this), twips(top, this), twips(width, this), twips(height, this));
    };
    m_picture2 = new PictureBox(this);
    place(m_picture2, 1200, 4650, 495, 495);
    m_picture1 = new PictureBox(this);
    place(m_picture1, 375, 4650, 495, 495);
    m_cmb1 = new QComboBox(this);
    place(m_cmb1, 225, 2475, 1440, 330);
    m_text1 = new QLineEdit(QStringLiteral("Select a folder ----->"), this);
    place(m_text1, 225, 1425, 2715, 315);
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const ButtonPlace& b = kButtons[i];
        auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
        place(button, b.left, b.top, b.width, b.height);
        const auto index = static_cast<std::int16_t>(i);
        connect(button, &QPushButton::clicked, this, [this, index] { cmd_Click(index); });
        m_cmd[i] = button;
    }
}

void frmMain::load() {
    resize(width(), twips(kShapeHeight, this));
    resize(twips(kShapeWidth, this), height());
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

void frmMain::cmd_Click(std::int16_t Index) {
    if (m_busy) return;  // an action is still running (for instance loading the list window)
    try {
        switch (Index) {
            case 0: FolderIcon(); break;
            case 1: LockFolder(); break;
            case 2: UnlockFolder(); break;
            case 3: HideFolder(); break;
            case 4: ShowList(); break;
            case 5: LoadIcon(); break;
            case 6: ChangeIcon(); break;
            case 7: SetDefault(); break;
            case 8: showAbout(); break;
            case 9: exitProgram(); break;
            default: break;
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

void frmMain::FillVar() {
    m_folderPath = m_text1->text();
}

void frmMain::showAbout() {
    if (!m_about) m_about = std::make_unique<frmAbout>();
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
