#include "look/window_style.h"

#include "look/focus_ring_style.h"
#include "look/task_bar.h"
#include "look/text_as_on_linux.h"

#include <algorithm>

#include <QApplication>
#include <QFontDatabase>
#include <QImageReader>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

namespace quelvaris {
namespace {

// Qt, given an image file without its format fixed (as a form or QIcon gives
// it), first loads every image plugin installed (here GIF, ICO, and JPEG with
// its library; on many desktops several more) to ask whether it reads the
// file, before it uses its own PNG reader. Two PNGs were read so at start:
// the window icon, now read with its format fixed, and the menu bar's
// overflow button's icon, which the program's style gives none: the button
// shows only when the menus do not fit across the window, which in these
// windows of fixed size they always do.
QPixmap pngImage(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

class ProgramStyle final : public FocusRingStyle {
 public:
  using FocusRingStyle::FocusRingStyle;

  QIcon standardIcon(StandardPixmap pixmap, const QStyleOption* option,
                     const QWidget* widget) const override {
    if (pixmap == SP_ToolBarHorizontalExtensionButton) return QIcon();  // asked for by QMenuBar
    return FocusRingStyle::standardIcon(pixmap, option, widget);
  }
};

// The layout is drawn at 96 DPI, where a point is 4/3 of a pixel. Sizes in
// pixels keep the fonts in step with the pixel geometry on any screen.
int pixelsFromPoints(qreal points) {
  return qRound(points * 96 / 72);
}

// Where the client area starts inside the window: below the menu bar for the
// main window, at the window's own corner for the others.
QPoint clientOffset(const QWidget* window) {
  const auto* main = qobject_cast<const QMainWindow*>(window);
  return main != nullptr && main->centralWidget() != nullptr ? main->centralWidget()->pos()
                                                             : QPoint();
}

// Where the window's description puts its client area. A window whose client
// area and menu bar would not lie whole on the screen is moved just enough to
// do so.
void placeOnScreen(QWidget* window) {
  const QPoint clientTopLeft = window->property("clientTopLeft").toPoint();
  QRect placed(clientTopLeft - clientOffset(window), window->size());
  const QScreen* screen = QGuiApplication::screenAt(clientTopLeft);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    const QRect available = screen->availableGeometry();
    placed.moveRight(std::min(placed.right(), available.right()));
    placed.moveBottom(std::min(placed.bottom(), available.bottom()));
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top()));
  }
  window->setGeometry(placed);
}

}  // namespace

QFont interfaceFont() {
  QFont font(QStringLiteral("DejaVu Sans Condensed"));
  font.setPixelSize(10);
  hintAsOnLinux(font);
  return font;
}

QFont titleFont(TitleFace face, qreal points) {
  const bool black = face == TitleFace::SwissBlack;
  const QString designed =
      black ? QStringLiteral("Swis721 Blk BT") : QStringLiteral("Swis721 Ex BT");
  QFont font;
  if (QFontDatabase::hasFamily(designed)) {
    font.setFamily(designed);  // the face itself is heavy or wide at the normal weight
  } else {
    font.setFamily(black ? QStringLiteral("Liberation Sans Narrow")
                         : QStringLiteral("DejaVu Sans"));
    font.setBold(black);
  }
  font.setPixelSize(pixelsFromPoints(points));
  hintAsOnLinux(font);
  return font;
}

QIcon programIcon(qreal devicePixelRatio) {
  // PNG files, not the Windows icon file: Qt converts each of that file's
  // dozen images as it reads them, a tenth of the window's start.
  QIcon icon;
  QList<int> sizes{16, 24, 32, 48};
  if (devicePixelRatio > 1) sizes << 64 << 128;
  for (int size : sizes)
    icon.addPixmap(pngImage(QStringLiteral(":/icons/png/quelvaris-%1.png").arg(size)));
  return icon;
}

void applyProgramStyle() {
  QApplication::setStyle(new ProgramStyle(QStringLiteral("Windows")));
}

void applyInterfaceFont() {
  registerCarriedFonts();
  QApplication::setFont(interfaceFont());
}

void applyWindowStyle(QWidget* window) {
  window->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
  // A tool window does not end the program when it closes; these windows must,
  // when they are the last one open.
  window->setAttribute(Qt::WA_QuitOnClose, true);
  if (QLayout* layout = window->layout()) {  // the main window: central area plus menu bar
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->activate();
  }
  placeOnScreen(window);
  keepOffTaskBar(window);
}

}  // namespace quelvaris
