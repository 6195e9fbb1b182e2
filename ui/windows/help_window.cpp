#include "windows/help_window.h"

#include <QShortcut>
#include "look/window_style.h"

#include "ui_help_window.h"

namespace quelvaris {

HelpWindow::HelpWindow() : ui(std::make_unique<Ui::Form2>()) {
  ui->setupUi(this);
  ui->Label2->setFont(titleFont(TitleFace::SwissBlack, 12));
  setAttribute(Qt::WA_DeleteOnClose);  // closing unloads it; the next opening starts afresh
  applyWindowStyle(this);
  ui->Command1->setFocus();
  connect(ui->Command1, &QPushButton::clicked, this, &HelpWindow::Command1_Click);
  // Escape closes it, as it closes any dialog.
  connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::Command1_Click() {
  close();
}

}  // namespace quelvaris
