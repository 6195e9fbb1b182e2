// What the user sees of the three windows: their sizes and places, the fonts,
// and every fixed text whole inside its rectangle.

#include <QAction>
#include <QFontInfo>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "widgets/picture_label.h"
#include "window_test_support.h"

using namespace quelvaris::test;
using quelvaris::PictureLabel;

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    prepareProgram();
    window = startMainWindow();
    control<QAction>(window.get(), "mnuhelpconcrete")->trigger();
    control<QAction>(window.get(), "mnuabout")->trigger();
  }
  void cleanupTestCase() { window.reset(); }

  void windowsStandAtTheirPlacesOrWhollyOnScreen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("designed");  // client area's top-left corner
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("menuBarPixels");  // the menu bar's font; 0: as it is
    QTest::newRow("main") << "Quelvaris" << QPoint(334, 84) << QSize(707, 467) << 0;
    QTest::newRow("main, taller menu bar")
        << "Quelvaris" << QPoint(334, 84) << QSize(707, 467) << 30;
    QTest::newRow("help") << "Form2" << QPoint(123, 584) << QSize(588, 354) << 0;
    QTest::newRow("about") << "Form3" << QPoint(771, 600) << QSize(408, 274) << 0;
  }

  void windowsStandAtTheirPlacesOrWhollyOnScreen() {
    QFETCH(QString, name);
    QFETCH(QPoint, designed);
    QFETCH(QSize, client);
    QFETCH(int, menuBarPixels);

    // A desktop whose menu bars are taller than Qt's own: the client area,
    // not the window, stands at its place.
    std::unique_ptr<quelvaris::MainWindow> taller;
    if (menuBarPixels > 0) {
      const QFont usual = QApplication::font("QMenuBar");
      QFont large = usual;
      large.setPixelSize(menuBarPixels);
      QApplication::setFont(large, "QMenuBar");
      window->hide();
      taller = startMainWindow();
      QApplication::setFont(usual, "QMenuBar");
      QVERIFY(taller->menuBar()->height() > menuBarPixels);
    }
    const auto showAgain = qScopeGuard([&] {
      if (taller) window->show();
    });

    QWidget* shown = windowsNamed(qPrintable(name)).value(0);
    QVERIFY(shown != nullptr);
    auto* main = qobject_cast<QMainWindow*>(shown);
    const QWidget* clientArea = main ? main->centralWidget() : shown;
    QCOMPARE(clientArea->size(), client);
    QVERIFY(shown->windowFlags() & Qt::Tool);
    QVERIFY(shown->testAttribute(Qt::WA_QuitOnClose));

    // The window, menu bar included, where its client area stands as designed.
    const QRect screen = shown->screen()->availableGeometry();
    const QRect designedPlace(designed - clientArea->mapTo(shown, QPoint()), shown->size());
    if (screen.contains(designedPlace))
      QCOMPARE(clientArea->mapToGlobal(QPoint()), designed);
    else
      QVERIFY2(screen.contains(shown->geometry()), qPrintable(name));
  }

  void fontsAreTheInterfaceFontAndTheTitleFaces() {
    const QFontInfo interface(control(window.get(), "Label4")->font());
    QCOMPARE(interface.family(), QStringLiteral("DejaVu Sans Condensed"));
    QCOMPARE(interface.pixelSize(), 10);

    const struct {
      const char* window;
      const char* label;
      int pixels;
    } titles[] = {{"Quelvaris", "Label1", 19}, {"Form2", "Label2", 16}, {"Form3", "Label1", 21}};
    for (const auto& title : titles) {
      const QFontInfo info(control(windowsNamed(title.window).value(0), title.label)->font());
      QCOMPARE(info.pixelSize(), title.pixels);
      QVERIFY2(info.family() != interface.family(), title.window);
    }
  }

  // Every fixed text fits its label, so nothing is cut; the help title alone
  // runs past its window's edge, as it is drawn to.
  void fixedTextsFitTheirRectangles_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("main") << "Quelvaris";
    QTest::newRow("help") << "Form2";
    QTest::newRow("about") << "Form3";
  }

  void fixedTextsFitTheirRectangles() {
    QFETCH(QString, name);
    QWidget* shown = windowsNamed(qPrintable(name)).value(0);
    int checked = 0;
    for (const QLabel* label : shown->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      QCOMPARE(label->textFormat(), Qt::PlainText);
      const QRect room = label->contentsRect();
      const QRect needed =
          QFontMetrics(label->font())
              .boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, label->text());
      QVERIFY2(needed.height() <= room.height() && needed.width() <= room.width(),
               qPrintable(label->objectName() + QLatin1Char(' ') + label->text()));
      ++checked;
    }
    for (const QGroupBox* frame : shown->findChildren<QGroupBox*>()) {
      QVERIFY2(QFontMetrics(frame->font()).horizontalAdvance(frame->title()) < frame->width(),
               qPrintable(frame->title()));
    }
    QVERIFY(checked > 0);
  }

  // On a screen of 1.5 or 2 device pixels a pixel the picture is drawn from
  // its sharper variant, not enlarged from the 118 x 99 picture.
  void pictureIsDrawnAtTheScreensDensity() {
    const auto* picture = control<PictureLabel>(window.get(), "Image1");
    const qreal density = picture->devicePixelRatioF();
    const QPixmap shown = picture->shownPixmap();
    QCOMPARE(shown.size(), (QSizeF(118, 99) * density).toSize());
    QCOMPARE(shown.devicePixelRatio(), density);
    for (const int side : {16, 24, 32, 48})
      QVERIFY(window->windowIcon().availableSizes().contains(QSize(side, side)));
    for (const int side : {64, 128})
      QCOMPARE(window->windowIcon().availableSizes().contains(QSize(side, side)), density > 1);
    if (density == 2)
      QCOMPARE(shown.toImage(),
               QImage(":/images/mixer@2x.png").convertToFormat(shown.toImage().format()));
  }

  void resultNumbersLieAboveTheTextsThatOverlapThem() {
    for (const auto& [below, above] : {std::pair{"Label3", "Label33"}, {"Label12", "Label16"}}) {
      QWidget* lower = control(window.get(), below);
      QWidget* upper = control(window.get(), above);
      QVERIFY(lower->geometry().intersects(upper->geometry()));
      const QObjectList& order = lower->parent()->children();
      QVERIFY(order.indexOf(upper) > order.indexOf(lower));
    }
  }

  void menusHoldTheirItemsWithoutAccessKeys() {
    const auto* bar = window->menuBar();
    QStringList entries;
    for (const QAction* entry : bar->actions()) {
      entries << entry->text();
      for (const QAction* item : entry->menu()->actions()) entries << item->text();
    }
    QCOMPARE(entries,
             (QStringList{"Archivo", "Salir", "Ayuda", "Ayuda de Quelvaris", "Acerca de..."}));
  }

 private:
  std::unique_ptr<quelvaris::MainWindow> window;
};

QUELVARIS_WINDOW_TEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
