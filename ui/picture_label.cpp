#include "picture_label.h"

#include <QFile>
#include <QPainter>

void PictureLabel::setPicture(const QString& picture) {
  file = picture;
  variants = QIcon();
  variants.addFile(file);
  const QString stem = file.left(file.lastIndexOf(QLatin1Char('.')));
  for (const char* density : {"@1.5x.png", "@2x.png"}) {
    const QString variant = stem + QLatin1String(density);
    if (QFile::exists(variant)) variants.addFile(variant);
  }
  setPixmap(QPixmap(file));
}

QPixmap PictureLabel::shownPixmap() const {
  return variants.pixmap(pixmap().deviceIndependentSize().toSize(), devicePixelRatioF());
}

void PictureLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawPixmap(contentsRect().topLeft(), shownPixmap());
}
