// How the program ends: each test runs the real event loop and checks that it
// returns, or that nothing asked it to end.

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

// The loop's code when it was ended for running on past every test's need:
// a hang turned into a failure, never a verdict.
constexpr int kRanOn = 99;

// Runs the event loop with `step` as its first event; the loop's exit code.
int runLoop(const std::function<void()>& step) {
  QTimer::singleShot(0, step);
  QTimer safetyNet;
  safetyNet.setSingleShot(true);
  QObject::connect(&safetyNet, &QTimer::timeout, [] { QCoreApplication::exit(kRanOn); });
  safetyNet.start(30000);
  return QApplication::exec();
}

// Counts the requests to end the program: Qt posts one when the last window
// closes, and "Salir" sends one.
class QuitRequests : public QObject {
 public:
  QuitRequests() { qApp->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Quit) ++count;
    return false;
  }
};

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
    QuitRequests quits;
    bool othersStayedOpen = false, helpAloneRanOn = false;
    const int code = runLoop([&] {
      window->close();  // the title bar's close control
      // Once what each close posted is done, nothing asked the program to end
      // while another window is open, and the last one to close ends it.
      QTimer::singleShot(0, [&] {
        QCoreApplication::sendPostedEvents();
        othersStayedOpen =
            quits.count == 0 && help && help->isVisible() && about && about->isVisible();
        if (!about.isNull()) click(about, "Command1");
        QCoreApplication::sendPostedEvents();
        helpAloneRanOn = quits.count == 0 && help && help->isVisible();
        if (!help.isNull()) click(help, "Command1");
      });
    });
    QVERIFY2(othersStayedOpen, "closing the main window closed the others or ended the program");
    QVERIFY2(helpAloneRanOn, "the program ended with the help window still open");
    QCOMPARE(code, 0);
    settle();
    QVERIFY(help.isNull() && about.isNull());
  }

 private:
  std::unique_ptr<quelvaris::MainWindow> window;
  QPointer<QWidget> help;
  QPointer<QWidget> about;
};

QUELVARIS_WINDOW_TEST_MAIN(ProgramEndTest)
#include "program_end_test.moc"
