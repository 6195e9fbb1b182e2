#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

// A result field of the main window. Its number is drawn whole, on one line:
// where it does not fit at the label's font, in a smaller size of the same
// font, just small enough, down to 7 px; only a number too long even then is
// cut at its start with "…", and its tooltip shows the whole value. The text
// itself stays the exact result, for screen readers and anything that reads it.
class ResultLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  static constexpr int SMALLEST_PIXEL_SIZE = 7;

  // How `text` is drawn in `width` pixels, starting from `font`:
  //   "215", 33 px                -> the font as it is, "215"
  //   "230,000", 33 px            -> 2 or 3 px smaller, "230,000"
  //   "100,000,000,000", 33 px    -> 7 px, "…00,000", elided
  struct Fit {
    QFont font;
    QString shown;
    bool elided = false;
  };
  static Fit fit(const QString& text, QFont font, int width);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;  // the tooltip of a cut number

 private:
  Fit currentFit() const;
};
