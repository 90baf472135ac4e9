#include "qt/ListWindow.h"

#include <QListView>
#include <QMouseEvent>
#include <QShortcut>

#include "qt/FormChrome.h"
#include "qt/FormLayout.h"
#include "qt/TulmXpButton.h"

namespace quorvane {

ListWindow::ListWindow(Services services, const std::string& registerFilePath, QWidget* parent)
    : QDialog(parent), m_services(services), m_form(services, *this, registerFilePath) {
    buildControls();
    m_form.Form_Load();
    m_layout->focusFirst();
}

ListWindow::~ListWindow() = default;

void ListWindow::buildControls() {
    m_layout = std::make_unique<FormLayout>(*this, FormDescription::embedded("frmList"), m_services.keys);
    m_surface = std::make_unique<FormSurface>(*this, *m_layout);
    for (std::size_t i = 0; i < m_cmd.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        m_cmd[i] = m_layout->control<TulmXpButton>(u"cmd", index);
        connect(m_cmd[i], &TulmXpButton::Click, this, [this, index] { m_form.cmd_Click(index); });
    }
    m_list1 = m_layout->control<QListView>(u"List1");
    m_listBox = std::make_unique<QtListBox>(m_list1);
    // A double click on a row; one on the empty space below the rows is none.
    connect(m_list1, &QListView::doubleClicked, this, [this] { m_form.List1_DblClick(); });
    // Escape closes the window whichever control has the focus (the buttons take every key they
    // are given, so the dialog's own Escape would not reach it from them).
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { unload(); });
}

void ListWindow::sizeToShape() { m_layout->sizeToFrameShape(); }

void ListWindow::showModal() { exec(); }

void ListWindow::unload() { close(); }

void ListWindow::setWindowMover(WindowMover& mover) { m_surface->setWindowMover(mover); }

void ListWindow::paintEvent(QPaintEvent*) { m_surface->paint(); }

void ListWindow::mousePressEvent(QMouseEvent* event) {
    m_surface->mousePress(*event);
    QDialog::mousePressEvent(event);
}

void ListWindow::mouseMoveEvent(QMouseEvent* event) {
    m_surface->mouseMove(*event);
    QDialog::mouseMoveEvent(event);
}

}  // namespace quorvane
