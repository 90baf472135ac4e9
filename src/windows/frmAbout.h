#pragma once

#include <QDialog>

namespace quorvane {

// The about window: modeless and unowned; one at a time.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
};

}  // namespace quorvane
