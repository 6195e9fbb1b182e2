#include "widgets/picture_label.h"

#include <QFile>
#include <QPainter>

namespace quelvaris {

void PictureLabel::setPicture(const QString& picture) {
  file = picture;
  variants = QIcon();
  setPixmap(QPixmap(file));
}

// Qt reads every file added to an icon at once, so the sharper variants are
// added only when a screen first wants them, not at every start.
QPixmap PictureLabel::shownPixmap() const {
  if (devicePixelRatioF() <= 1) return pixmap();
  if (variants.isNull()) {
    variants.addPixmap(pixmap());
    const QString stem = file.left(file.lastIndexOf(QLatin1Char('.')));
    for (const char* density : {"@1.5x.png", "@2x.png"}) {
      const QString variant = stem + QLatin1String(density);
      if (QFile::exists(variant)) variants.addFile(variant);
    }
  }
  return variants.pixmap(pixmap().deviceIndependentSize().toSize(), devicePixelRatioF());
}

void PictureLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawPixmap(contentsRect().topLeft(), shownPixmap());
}

}  // namespace quelvaris
