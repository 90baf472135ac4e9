#include "windows/frmAbout.h"

namespace quorvane {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About "));
    setAttribute(Qt::WA_DeleteOnClose, false);
}

}  // namespace quorvane
