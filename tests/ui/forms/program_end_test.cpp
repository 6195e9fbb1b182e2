// How the program ends: each test runs the real event loop and checks that it
// returns, with a watchdog that ends a loop that would run on for ever.

#include <QAction>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "window_test_support.h"

using namespace quelvaris::test;

// One way of ending the program, done to the main window.
using ExitAction = std::function<void(QWidget*)>;
Q_DECLARE_METATYPE(ExitAction)

namespace {

constexpr int kWatchdogExit = 99;

// Runs the event loop with `step` as its first event; the loop's exit code,
// or kWatchdogExit if it was still running after two seconds.
int runLoop(const std::function<void()>& step) {
  QTimer::singleShot(0, step);
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(kWatchdogExit); });
  watchdog.start(2000);
  return QApplication::exec();
}

}  // namespace

class ProgramEndTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { prepareProgram(); }
  void init() {
    window = startMainWindow();
    control<QAction>(window.get(), "mnuhelpconcrete")->trigger();
    control<QAction>(window.get(), "mnuabout")->trigger();
    help = windowsNamed("Form2").value(0);
    about = windowsNamed("Form3").value(0);
    QVERIFY(help && about);
  }
  void cleanup() {
    window.reset();
    settle();
  }

  void eachExitEndsWithAllWindowsOpen_data() {
    QTest::addColumn<ExitAction>("exit");
    QTest::newRow("Salir") << ExitAction([](QWidget* main) { click(main, "Command3"); });
    QTest::newRow("menu Salir") << ExitAction(
        [](QWidget* main) { control<QAction>(main, "mnuexit")->trigger(); });
    QTest::newRow("title banner") << ExitAction([](QWidget* main) { click(main, "Label1"); });
    QTest::newRow("Return on Salir") << ExitAction(
        [](QWidget* main) { QTest::keyClick(control(main, "Command3"), Qt::Key_Return); });
  }

  void eachExitEndsWithAllWindowsOpen() {
    QFETCH(ExitAction, exit);
    QCOMPARE(runLoop([&] { exit(window.get()); }), 0);
    settle();
    QVERIFY(!window->isVisible());
    QVERIFY(help.isNull() || !help->isVisible());
    QVERIFY(about.isNull() || !about->isVisible());
  }

  void salirUnloadsTheSecondaryWindows() {
    QCOMPARE(runLoop([&] { click(window.get(), "Command3"); }), 0);
    settle();
    QVERIFY(help.isNull());
    QVERIFY(about.isNull());
  }

  void closingTheMainWindowLeavesTheOthersRunning() {
    bool othersStayedOpen = false;
    const int code = runLoop([&] {
      window->close();  // the title bar's close control
      QTimer::singleShot(200, [&] {
        // Still running: the help and about windows are open and usable.
        if (help.isNull() || !help->isVisible() || about.isNull() || !about->isVisible()) return;
        othersStayedOpen = true;
        click(about, "Command1");
        QTimer::singleShot(100, [&] {
          if (!help.isNull()) click(help, "Command1");  // the last window ends the program
        });
      });
    });
    QVERIFY2(othersStayedOpen, "closing the main window closed the help or about window");
    QCOMPARE(code, 0);
    settle();
    QVERIFY(help.isNull() && about.isNull());
  }

  void closingTheMainWindowAloneRunsOnWhileAnotherIsOpen() {
    const int code = runLoop([&] {
      click(about, "Command1");
      window->close();  // the help window is still open
    });
    QCOMPARE(code, kWatchdogExit);
    QVERIFY(help && help->isVisible());
  }

 private:
  std::unique_ptr<quelvaris::MainWindow> window;
  QPointer<QWidget> help;
  QPointer<QWidget> about;
};

QUELVARIS_WINDOW_TEST_MAIN(ProgramEndTest)
#include "program_end_test.moc"
