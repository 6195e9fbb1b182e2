#pragma once

#include <QLabel>

namespace quelvaris {

// A label that reports a click, as the title banner needs: a press and a
// release of the left button, both on the label.
class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace quelvaris
