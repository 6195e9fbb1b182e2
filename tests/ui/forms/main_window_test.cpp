#include <QAccessible>
#include <QDeadlineTimer>
#include <QFocusFrame>
#include <QFontInfo>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolTip>
#include <QtTest>
#include <memory>

#include "accessibility/box_text.h"
#include "widgets/result_label.h"
#include "window_test_support.h"

using namespace quelvaris::test;
using quelvaris::ResultLabel;

namespace {

// The nine fields "Calcular" writes besides the two boxes, in screen order.
const char* const kResultFields[] = {"Label33", "Label8",  "Label16", "Label9", "Label17",
                                     "Label10", "Label18", "Label11", "Label19"};

const QString kVolumeAlone =
    QStringLiteral(". Solo se calculó el volumen: no se eligió el tipo de concreto.");

QString accessibleName(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { prepareProgram(); }
  void init() {
    window = startMainWindow();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
  }
  void cleanup() { window.reset(); }

  void startsEmptyWithCalcularFocused() {
    QCOMPARE(control<QLineEdit>(w(), "Text1")->text(), QString());
    QCOMPARE(control<QLineEdit>(w(), "Text2")->text(), QString());
    for (const char* field : kResultFields) QCOMPARE(textOf(w(), field), QString());
    for (const char* option : {"Option1", "Option2", "Option3", "Option4"})
      QVERIFY(!control<QRadioButton>(w(), option)->isChecked());
    QCOMPARE(QApplication::focusWidget(), control(w(), "Command1"));
    QVERIFY(windowsNamed("Form2").isEmpty());
    QVERIFY(windowsNamed("Form3").isEmpty());
  }

  void calcularWritesEveryField_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("option");        // empty: no class selected
    QTest::addColumn<QStringList>("expected");  // Text1, Text2, then kResultFields

    QTest::newRow("1 m3 of class 1")
        << "10"
        << "0.10"
        << "Option1"
        << QStringList{"10.00", "0.10", "1.00", "6", ".3", "28", ".5", "38", ".7", "12", "215"};
    QTest::newRow("15 m3 of class 2, every text different")
        << "100"
        << "0.15"
        << "Option2" << QStringList{"100.00", "0.15", "15.00", "106", "5.3",  "400",
                                    "7.2",    "558",  "10.1",  "192", "3,450"};
    QTest::newRow("3 m3 of class 4")
        << "25"
        << "0.12"
        << "Option4" << QStringList{"25.00", "0.12", "3.00", "28", "1.4", "78",
                                    "1.4",   "107",  "1.9",  "35", "630"};
    QTest::newRow("letters after the area stay, nothing selected")
        << "12abc"
        << "0.1"
        << "" << QStringList{"12abc", "0.10", "1.20", "", "", "", "", "", "", "", ""};
    QTest::newRow("empty boxes, class 3")
        << ""
        << ""
        << "Option3" << QStringList{"", "", "0.00", "", ".0", "", ".0", "", ".0", "", ""};
  }

  void calcularWritesEveryField() {
    QFETCH(QString, area);
    QFETCH(QString, height);
    QFETCH(QString, option);
    QFETCH(QStringList, expected);

    typeInto(w(), "Text1", area);
    typeInto(w(), "Text2", height);
    if (!option.isEmpty()) click(w(), option.toLatin1().constData());
    click(w(), "Command1");

    QStringList shown{control<QLineEdit>(w(), "Text1")->text(),
                      control<QLineEdit>(w(), "Text2")->text()};
    for (const char* field : kResultFields) shown << textOf(w(), field);
    QCOMPARE(shown, expected);
  }

  // What a screen reader hears of a result field: its meaning and its number
  // as said, with the note when the volume was computed alone; nothing until
  // a calculation has written it.
  void resultFieldsAreNamedByTheirMeaning_data() {
    QTest::addColumn<QStringList>("inputs");  // area, height, option; none: no calculation
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    const QStringList classOne{"10", "0.10", "Option1"};
    QTest::newRow("before any calculation") << QStringList() << "Label33"
                                            << "";
    QTest::newRow("volume") << classOne << "Label33"
                            << "Volumen: 1.00 metros cúbicos";
    QTest::newRow("sacks") << classOne << "Label8"
                           << "Cemento: 6 sacos";
    QTest::newRow("a leading point said with its zero") << classOne << "Label16"
                                                        << "Cemento: 0.3 toneladas";
    QTest::newRow("thousands said without a separator")
        << QStringList{"100", "0.15", "Option2"} << "Label19"
        << "Agua: 3450 litros";
    QTest::newRow("an empty quantity said as 0") << QStringList{"", "", "Option3"} << "Label11"
                                                 << "Agua: 0 botes";
    QTest::newRow("no class: the volume says it alone was computed")
        << QStringList{"12", "0.1", ""} << "Label33"
        << "Volumen: 1.20 metros cúbicos" + kVolumeAlone;
    QTest::newRow("no class: a material field stays unnamed")
        << QStringList{"12", "0.1", ""} << "Label10"
        << "";
  }

  void resultFieldsAreNamedByTheirMeaning() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, field);
    QFETCH(QString, name);
    if (!inputs.isEmpty()) calculate(inputs[0], inputs[1], qPrintable(inputs[2]));
    QCOMPARE(accessibleName(control(w(), qPrintable(field))), name);
  }

  // What a screen reader is told as "Calcular" writes a field: each name
  // change carries the field's new name, note included, and a note that goes
  // while the number stays is told as well. Qt tells only where accessibility
  // is on: the test "announced_names" runs this on a desktop with its bus.
  void announcedNamesAreTheNewNames_data() {
    QTest::addColumn<QList<QStringList>>("jobs");  // area, height, option; the last one heard
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("announced");  // the last name change heard; none: ""
    const QStringList alone{"12", "0.1", ""};
    QTest::newRow("the note comes with the first number")
        << QList<QStringList>{alone} << "Label33"
        << "Volumen: 1.20 metros cúbicos" + kVolumeAlone;
    QTest::newRow("the note stays, the number changes")
        << QList<QStringList>{alone, {"10", "0.10", ""}} << "Label33"
        << "Volumen: 1.00 metros cúbicos" + kVolumeAlone;
    QTest::newRow("the note goes, the number stays")
        << QList<QStringList>{alone, {"12", "0.1", "Option1"}} << "Label33"
        << "Volumen: 1.20 metros cúbicos";
    QTest::newRow("a material's first number")
        << QList<QStringList>{{"100", "0.15", "Option2"}} << "Label19"
        << "Agua: 3450 litros";
  }

  void announcedNamesAreTheNewNames() {
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
      QSKIP("told only with an accessibility bus: run by the test announced_names");
    QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 5000);
    QFETCH(QList<QStringList>, jobs);
    QFETCH(QString, field);
    QFETCH(QString, announced);
    const QStringList last = jobs.takeLast();
    for (const QStringList& job : jobs) calculate(job[0], job[1], qPrintable(job[2]));

    static QObject* heard = nullptr;
    static QStringList names;
    heard = control(w(), qPrintable(field));
    names.clear();
    const auto before = QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
      if (event->type() == QAccessible::NameChanged && event->object() == heard)
        names << event->accessibleInterface()->text(QAccessible::Name);
    });
    calculate(last[0], last[1], qPrintable(last[2]));
    QAccessible::installUpdateHandler(before);
    QCOMPARE(names.isEmpty() ? QString() : names.last(), announced);
  }

  // The boxes answer a screen reader's questions about their text as Orca
  // needs: at the end of the text, the word or sentence there is empty (Qt
  // 6.4 searches on and never returns); the text is one run of attributes
  // (Qt 6.4 reports an empty run, and Orca drops the last character); each
  // character has its place inside the box.
  void boxesAnswerScreenReadersAboutTheirText_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("a decimal") << "0.12";
    QTest::newRow("two words") << "12 abc";
    QTest::newRow("empty") << "";
  }

  void boxesAnswerScreenReadersAboutTheirText() {
    QFETCH(QString, text);
    auto* box = control<QLineEdit>(w(), "Text2");
    box->setText(text);
    QAccessibleTextInterface* reader = QAccessible::queryAccessibleInterface(box)->textInterface();
    QVERIFY(reader != nullptr);
    const int end = static_cast<int>(text.size());
    QCOMPARE(reader->characterCount(), end);
    for (const auto boundary :
         {QAccessible::WordBoundary, QAccessible::SentenceBoundary, QAccessible::CharBoundary}) {
      int start = -5, stop = -5;
      QCOMPARE(reader->textAtOffset(end, boundary, &start, &stop), QString());
      QCOMPARE((QList<int>{start, stop}), (QList<int>{end, end}));
    }
    for (int offset : {0, end / 2, end}) {
      int start = -5, stop = -5;
      reader->attributes(offset, &start, &stop);
      QCOMPARE((QList<int>{start, stop}), (QList<int>{0, end}));
    }
    const QRect inBox(box->mapToGlobal(QPoint()), box->size());
    for (int offset = 0; offset < end; ++offset)
      QVERIFY(inBox.contains(reader->characterRect(offset)));
    QVERIFY(reader->characterRect(end).isEmpty());
  }

  // That text interface is the input boxes' alone, and reads what a box
  // shows: a line edit of any other kind keeps Qt's own, a hidden text is
  // not read out.
  void onlyTheInputBoxesHaveTheirOwnTextInterface() {
    QLineEdit other(w());
    QVERIFY(dynamic_cast<quelvaris::BoxTextInterface*>(
                QAccessible::queryAccessibleInterface(&other)) == nullptr);
    auto* box = control<QLineEdit>(w(), "Text1");
    box->setText(QStringLiteral("secreto"));
    box->setEchoMode(QLineEdit::Password);
    QCOMPARE(QAccessible::queryAccessibleInterface(box)->textInterface()->text(0, 7),
             box->displayText());
  }

  void borrarEmptiesTheTwoBoxesOnly() {
    calculate("100", "0.15", "Option2");
    const QStringList before = results();
    click(w(), "Command2");
    QCOMPARE(control<QLineEdit>(w(), "Text1")->text(), QString());
    QCOMPARE(control<QLineEdit>(w(), "Text2")->text(), QString());
    QCOMPARE(results(), before);
    QVERIFY(control<QRadioButton>(w(), "Option2")->isChecked());
  }

  void anotherClassChangesNothingUntilCalcular() {
    calculate("100", "0.15", "Option2");
    const QStringList classTwo = results();
    click(w(), "Option3");
    QCOMPARE(results(), classTwo);
    click(w(), "Command1");
    QCOMPARE(results(),
             (QStringList{"15.00", "117", "5.9", "392", "7.1", "542", "9.8", "179", "3,225"}));
  }

  void classTextsSelectNothing() {
    for (const char* text : {"Label24", "Label25", "Label26", "Label27"}) click(w(), text);
    for (const char* option : {"Option1", "Option2", "Option3", "Option4"})
      QVERIFY(!control<QRadioButton>(w(), option)->isChecked());
  }

  void optionsAreOneExclusiveGroup() {
    click(w(), "Option1");
    click(w(), "Option4");
    QVERIFY(!control<QRadioButton>(w(), "Option1")->isChecked());
    QVERIFY(control<QRadioButton>(w(), "Option4")->isChecked());
  }

  void numbersTooLargeChangeNoFieldAndAreReported() {
    calculate("25", "0.12", "Option1");
    typeInto(w(), "Text1", "1E400");
    const QStringList before = results();

    // The click returns once the message is closed: it is read and closed as
    // soon as it shows, and looked for no longer than 5 s.
    QString message;
    QStringList buttons;
    QTimer closer;
    QDeadlineTimer deadline(5000);
    QObject::connect(&closer, &QTimer::timeout, [&] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(window);
        if (box == nullptr || !box->isVisible()) continue;
        message = box->text();
        for (const QAbstractButton* button : box->buttons()) buttons << button->text();
        box->accept();
        closer.stop();
        return;
      }
      if (deadline.hasExpired()) closer.stop();
    });
    closer.start(10);
    click(w(), "Command1");

    QCOMPARE(message, QStringLiteral("Los números son demasiado grandes para calcular.\n"
                                     "No se ha cambiado ningún dato."));
    QCOMPARE(buttons, QStringList{QStringLiteral("Aceptar")});  // Qt's own text, in Spanish
    QCOMPARE(results(), before);
    QCOMPARE(control<QLineEdit>(w(), "Text1")->text(), QStringLiteral("1E400"));
    QCOMPARE(control<QLineEdit>(w(), "Text2")->text(), QStringLiteral("0.12"));
  }

  void enterAndEscapeTriggerNothing() {
    typeInto(w(), "Text1", "10");
    typeInto(w(), "Text2", "1");
    QTest::keyClick(control(w(), "Text2"), Qt::Key_Return);
    QTest::keyClick(control(w(), "Text2"), Qt::Key_Escape);
    QCOMPARE(textOf(w(), "Label33"), QString());
    QVERIFY(window->isVisible());
    for (const char* name : {"Command1", "Command2", "Command3"}) {
      auto* button = control<QPushButton>(w(), name);
      QVERIFY(!button->isDefault() && !button->autoDefault());
    }
  }

  void tabOrderRunsButtonsOptionsUpwardsHeightThenArea() {
    const QStringList expected{"Command1", "Command2", "Command3", "Option4", "Option3",
                               "Option2",  "Option1",  "Text2",    "Text1",   "Command1"};
    QStringList order{"Command1"};
    QWidget* current = control(w(), "Command1");
    while (order.size() < expected.size()) {
      current = current->nextInFocusChain();
      if (current->focusPolicy() & Qt::TabFocus) order << current->objectName();
    }
    QCOMPARE(order, expected);
  }

  // Every quantity from 1 to 15 characters, in every field: drawn on one
  // line, whole where 7 px allows it, else cut at its start with the whole
  // value in the tooltip; the field's text stays the exact result.
  void resultNumbersAreDrawnWholeOnOneLine_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("number");
    for (const char* field : kResultFields) {
      for (int length = 1; length <= 15; ++length) {
        QString number = QString(length, QLatin1Char('8'));  // the widest digits
        if (length > 4) number[length - 4] = QLatin1Char(',');
        QTest::addRow("%s, %d characters", field, length) << field << number;
      }
    }
  }

  void resultNumbersAreDrawnWholeOnOneLine() {
    QFETCH(QString, field);
    QFETCH(QString, number);
    auto* label = control<ResultLabel>(w(), qPrintable(field));
    label->setText(number);

    const int room = label->contentsRect().width();
    const ResultLabel::Fit fit = ResultLabel::fit(number, label->font(), room);
    QVERIFY(QFontMetricsF(fit.font).horizontalAdvance(fit.shown) <= room);
    QVERIFY(QFontInfo(fit.font).pixelSize() >= ResultLabel::SMALLEST_PIXEL_SIZE);
    if (fit.elided) {
      QVERIFY(fit.shown.startsWith(QChar(0x2026)));
      QVERIFY(QFontMetricsF(fit.font).horizontalAdvance(number) > room);
    }

    // What is drawn stands on one line, its ink no taller than a line, and is
    // not cut at the label's left edge where the fitted text leaves room. The
    // picture is in device pixels, the metrics in the window's own.
    const QImage drawn = label->grab().toImage();
    const qreal density = drawn.devicePixelRatio();
    const QRgb ground = drawn.pixel(0, 0);
    QRect ink;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x)
        if (drawn.pixel(x, y) != ground) ink |= QRect(x, y, 1, 1);
    QVERIFY2(!ink.isEmpty(), "nothing drawn");
    QVERIFY(ink.height() <= qCeil(QFontMetricsF(label->font()).height() * density));
    if (QFontMetrics(fit.font).horizontalAdvance(fit.shown) < room - 1) QVERIFY(ink.left() > 0);

    QHelpEvent hover(QEvent::ToolTip, label->rect().center(),
                     label->mapToGlobal(label->rect().center()));
    QApplication::sendEvent(label, &hover);
    QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), fit.elided ? number : QString());
    QToolTip::hideText();
  }

  // A focused button answers Return and Enter as it does the space bar.
  void returnAndEnterPressTheFocusedButton_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("area");  // Text1 afterwards
    QTest::newRow("Calcular, Return") << "Command1" << int(Qt::Key_Return) << "25.00";
    QTest::newRow("Calcular, Enter") << "Command1" << int(Qt::Key_Enter) << "25.00";
    QTest::newRow("Borrar, Return") << "Command2" << int(Qt::Key_Return) << "";
    QTest::newRow("Borrar, Enter") << "Command2" << int(Qt::Key_Enter) << "";
  }

  void returnAndEnterPressTheFocusedButton() {
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(QString, area);
    typeInto(w(), "Text1", "25");
    typeInto(w(), "Text2", "0.12");
    QWidget* focused = control(w(), qPrintable(button));
    focused->setFocus();
    const auto modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(focused, Qt::Key(key), modifiers);
    QCOMPARE(control<QLineEdit>(w(), "Text1")->text(), area);
  }

  // The focused class button has a ring around its circle, in the highlight
  // colour, reaching beyond the button's own rectangle.
  void focusedClassButtonIsRinged() {
    auto* option = control<QRadioButton>(w(), "Option2");
    option->setFocus();
    QVERIFY(option->hasFocus());
    auto* ring = w()->findChild<QFocusFrame*>();
    QVERIFY(ring && ring->isVisible() && ring->widget() == option);
    const QRect around(option->mapTo(w(), QPoint(-2, -2)), option->size() + QSize(4, 4));
    QVERIFY(QRect(ring->mapTo(w(), QPoint()), ring->size()).contains(around));
    const QImage drawn = w()->grab().toImage();
    const QPoint leftOfCircle = option->mapTo(w(), QPoint(-2, option->height() / 2));
    QCOMPARE(
        QColor(drawn.pixel((QPointF(leftOfCircle) * drawn.devicePixelRatio()).toPoint())).hue(),
        option->palette().color(QPalette::Highlight).hue());

    control(w(), "Text1")->setFocus();
    QVERIFY(!ring->isVisible());
  }

  // Qt's own texts are Spanish too: the boxes' right-click menu.
  void boxMenuIsSpanish() {
    const std::unique_ptr<QMenu> menu(
        control<QLineEdit>(w(), "Text1")->createStandardContextMenu());
    QStringList items;
    for (const QAction* item : menu->actions())
      if (!item->isSeparator())
        items << item->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    QCOMPARE(items, (QStringList{"Deshacer", "Rehacer", "Cortar", "Copiar", "Pegar", "Borrar",
                                 "Seleccionar todo"}));
  }

  // F1 opens the help and F10 the menu bar's first menu, from any window of
  // the program.
  void keysOpenTheHelpAndTheMenu_data() {
    QTest::addColumn<QString>("menuItem");  // the window the key is pressed in; none: the main one
    QTest::addColumn<int>("key");
    for (const char* from : {"", "mnuhelpconcrete", "mnuabout"})
      for (const int key : {int(Qt::Key_F1), int(Qt::Key_F10)})
        QTest::addRow("%s, F%d", *from ? from : "main window", key == Qt::Key_F1 ? 1 : 10)
            << from << key;
  }

  void keysOpenTheHelpAndTheMenu() {
    QFETCH(QString, menuItem);
    QFETCH(int, key);
    QWidget* pressedIn = control(w(), "Text2");
    if (!menuItem.isEmpty()) {
      control<QAction>(w(), qPrintable(menuItem))->trigger();
      QWidget* opened = QApplication::topLevelWidgets().value(0);
      for (QWidget* top : QApplication::topLevelWidgets())
        if (top != w() && top->isVisible() && top->objectName().startsWith("Form")) opened = top;
      QVERIFY(QTest::qWaitForWindowActive(opened));
      pressedIn = control(opened, "Command1");
    }
    QTest::keyClick(pressedIn, Qt::Key(key));
    if (key == Qt::Key_F1)
      QCOMPARE(windowsNamed("Form2").size(), 1);
    else
      QCOMPARE(window->menuBar()->activeAction(), control<QMenu>(w(), "mnufile")->menuAction());
    for (const char* form : {"Form2", "Form3"})
      for (QWidget* open : windowsNamed(form)) open->close();
    settle();
  }

  void boxesHaveNoLengthLimit() {
    const QString longText(40000, QLatin1Char('7'));
    control<QLineEdit>(w(), "Text1")->setText(longText);
    QCOMPARE(control<QLineEdit>(w(), "Text1")->text().size(), longText.size());
  }

 private:
  QWidget* w() { return window.get(); }

  // `option` empty: the class stays as it is.
  void calculate(const QString& area, const QString& height, const char* option) {
    typeInto(w(), "Text1", area);
    typeInto(w(), "Text2", height);
    if (*option != '\0') click(w(), option);
    click(w(), "Command1");
  }

  QStringList results() {
    QStringList texts;
    for (const char* field : kResultFields) texts << textOf(w(), field);
    return texts;
  }

  std::unique_ptr<quelvaris::MainWindow> window;
};

QUELVARIS_WINDOW_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
