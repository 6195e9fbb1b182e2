#pragma once

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QString>

namespace quelvaris {

// A picture drawn sharp at the screen's pixel density: the designed picture
// at 1x, and beside it in the resources the same drawing at 1.5x and 2x,
// named like it with "@1.5x.png" and "@2x.png" (":/images/mixer.gif",
// ":/images/mixer@2x.png"). Qt's icon engine picks the variant that fits the
// device pixel ratio; the 1x picture is also the label's own pixmap.
class PictureLabel : public QLabel {
  Q_OBJECT
  Q_PROPERTY(QString picture READ picture WRITE setPicture)

 public:
  using QLabel::QLabel;

  QString picture() const { return file; }
  void setPicture(const QString& file);

  // The pixmap drawn on this label's screen, in device pixels.
  QPixmap shownPixmap() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString file;
  mutable QIcon variants;  // filled on the first high-density paint
};

}  // namespace quelvaris
