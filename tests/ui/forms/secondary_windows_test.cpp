#include <QAction>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>

#include "program/keyboard_at_start.h"
#include "program/version.h"
#include "window_test_support.h"

using namespace quelvaris::test;

class SecondaryWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { prepareProgram(); }
  void init() { window = startMainWindow(); }
  void cleanup() {
    window.reset();
    settle();
    QVERIFY(windowsNamed("Form2").isEmpty() && windowsNamed("Form3").isEmpty());
  }

  void eachOpensOnceAtItsSize_data() {
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QSize>("clientSize");
    QTest::newRow("help") << "mnuhelpconcrete"
                          << "Form2"
                          << "Regresar" << QSize(588, 354);
    QTest::newRow("about") << "mnuabout"
                           << "Form3"
                           << "Aceptar" << QSize(408, 274);
  }

  void eachOpensOnceAtItsSize() {
    QFETCH(QString, menuItem);
    QFETCH(QString, form);
    QFETCH(QString, button);
    QFETCH(QSize, clientSize);

    trigger(menuItem);
    trigger(menuItem);
    const QList<QWidget*> open = windowsNamed(qPrintable(form));
    QCOMPARE(open.size(), 1);
    QCOMPARE(open[0]->size(), clientSize);
    QCOMPARE(open[0]->minimumSize(), open[0]->maximumSize());
    QCOMPARE(control<QPushButton>(open[0], "Command1")->text(), button);
    QVERIFY(QTest::qWaitForWindowActive(open[0]));
    QCOMPARE(QApplication::focusWidget(), control(open[0], "Command1"));
  }

  // The start asks for the keyboard for the main window; the help opened at
  // once, by F1 or from the menu, keeps it.
  void theStartLeavesTheKeyboardWithTheHelp_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("F1") << true;
    QTest::newRow("menu") << false;
  }

  void theStartLeavesTheKeyboardWithTheHelp() {
    QFETCH(bool, byKey);
    quelvaris::takeKeyboardAtStart(window.get());
    if (byKey) {
      // Under Wine a window the test shows may get no keyboard to press F1 in.
      if (!QTest::qWaitForWindowActive(window.get())) QSKIP("the main window has no keyboard");
      QTest::keyClick(window.get(), Qt::Key_F1);
    } else {
      trigger("mnuhelpconcrete");
    }
    QWidget* help = windowsNamed("Form2").value(0);
    QVERIFY(help != nullptr);
    QTRY_VERIFY(window->findChildren<QTimer*>(QStringLiteral("keyboardAtStart")).isEmpty());
    QTRY_COMPARE(QApplication::activeWindow(), help);
  }

  void aboutShowsTheProjectsVersion() {
    trigger("mnuabout");
    QCOMPARE(textOf(windowsNamed("Form3").value(0), "Label5"),
             QStringLiteral("Versión " QUELVARIS_VERSION));
  }

  // Closed by its button, with the mouse or with Return or Enter on it, or
  // with Escape, as any dialog.
  void closingUnloadsAndReopeningCreatesAfresh_data() {
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("key");  // 0: a click
    for (const auto& [menuItem, form] :
         {std::pair{"mnuhelpconcrete", "Form2"}, {"mnuabout", "Form3"}})
      for (const auto& [how, key] : {std::pair{"click", 0},
                                     {"Return", int(Qt::Key_Return)},
                                     {"Enter", int(Qt::Key_Enter)},
                                     {"Escape", int(Qt::Key_Escape)}})
        QTest::addRow("%s, %s", form, how) << menuItem << form << key;
  }

  void closingUnloadsAndReopeningCreatesAfresh() {
    QFETCH(QString, menuItem);
    QFETCH(QString, form);
    QFETCH(int, key);

    trigger(menuItem);
    QPointer<QWidget> first = windowsNamed(qPrintable(form)).value(0);
    const QPoint position = first->pos();
    QVERIFY(QTest::qWaitForWindowActive(first));
    if (key == 0)
      click(first, "Command1");
    else
      QTest::keyClick(control(first, "Command1"), Qt::Key(key),
                      key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    settle();
    QVERIFY(first.isNull());

    trigger(menuItem);
    QPointer<QWidget> second = windowsNamed(qPrintable(form)).value(0);
    QVERIFY(second);
    QCOMPARE(second->pos(), position);

    second->close();  // the title bar's close control
    settle();
    QVERIFY(second.isNull());
  }

  void secondaryWindowsLeaveTheMainWindowAlone() {
    typeInto(w(), "Text1", "10");
    typeInto(w(), "Text2", "0.10");
    click(w(), "Option1");
    click(w(), "Command1");
    QCOMPARE(textOf(w(), "Label33"), QStringLiteral("1.00"));

    trigger("mnuhelpconcrete");
    trigger("mnuabout");
    // "Calcular" still works with both open: new inputs, new results.
    typeInto(w(), "Text1", "25");
    typeInto(w(), "Text2", "0.12");
    click(w(), "Option4");
    click(w(), "Command1");
    QCOMPARE(windowsNamed("Form2").size(), 1);

    click(windowsNamed("Form2").value(0), "Command1");
    settle();
    QCOMPARE(windowsNamed("Form3").size(), 1);  // the about window stays
    click(windowsNamed("Form3").value(0), "Command1");
    settle();

    QCOMPARE(textOf(w(), "Label33"), QStringLiteral("3.00"));
    QCOMPARE(textOf(w(), "Label19"), QStringLiteral("630"));
    QCOMPARE(control<QLineEdit>(w(), "Text1")->text(), QStringLiteral("25.00"));
    QVERIFY(control<QRadioButton>(w(), "Option4")->isChecked());
  }

 private:
  QWidget* w() { return window.get(); }
  void trigger(const QString& menuItem) {
    control<QAction>(w(), qPrintable(menuItem))->trigger();  // no wait: shown without blocking
  }

  std::unique_ptr<quelvaris::MainWindow> window;
};

QUELVARIS_WINDOW_TEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
