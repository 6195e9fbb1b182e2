#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

#include "program/running_copy.h"
#include "program/version.h"

namespace quelvaris {
namespace {

const QString SERVICE = QStringLiteral(QUELVARIS_APP_ID);
// The object path of org.freedesktop.Application: the id with its dots made
// slashes, after a leading one.
const QString PATH =
    QLatin1Char('/') + QString(SERVICE).replace(QLatin1Char('.'), QLatin1Char('/'));
const QString INTERFACE = QStringLiteral("org.freedesktop.Application");

// How long a later start waits for the running copy to come forward.
constexpr int ANSWER_WITHIN_MS = 3000;

// The calls of org.freedesktop.Application: a launcher or a later start
// asks the running copy (or, with the desktop entry's DBusActivatable, the
// copy the bus starts for it) to come forward. The program opens no files
// and has no actions of its own, so Open and ActivateAction do the same.
class Application : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

 public:
  using QObject::QObject;

 public slots:
  Q_SCRIPTABLE void Activate(const QVariantMap& platformData) { comeForward(from(platformData)); }
  Q_SCRIPTABLE void Open(const QStringList& /*uris*/, const QVariantMap& platformData) {
    comeForward(from(platformData));
  }
  Q_SCRIPTABLE void ActivateAction(const QString& /*name*/, const QVariantList& /*parameter*/,
                                   const QVariantMap& platformData) {
    comeForward(from(platformData));
  }

 private:
  static StartTokens from(const QVariantMap& platformData) {
    return {platformData.value(QStringLiteral("desktop-startup-id")).toString().toUtf8(),
            platformData.value(QStringLiteral("activation-token")).toString().toUtf8()};
  }
};

// Whether this start took the program's name on the bus, and so is the copy
// that later starts hand over to.
bool tookName(QDBusConnection& bus) {
  // The object is there before the name, so that no call finds the name
  // without it; calls wait until the program's event loop runs.
  auto* application = new Application(qApp);
  bus.registerObject(PATH, application, QDBusConnection::ExportScriptableSlots);
  const auto registered =
      bus.interface()->registerService(SERVICE, QDBusConnectionInterface::DontQueueService,
                                       QDBusConnectionInterface::DontAllowReplacement);
  if (registered.isValid() && registered.value() == QDBusConnectionInterface::ServiceRegistered) {
    rememberActiveWindow();
    // An ending copy lets the name go at once: a start meanwhile runs anew.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp,
                     [bus]() mutable { bus.unregisterService(SERVICE); });
    return true;
  }
  bus.unregisterObject(PATH);
  delete application;
  return false;
}

QDBusMessage activate(const StartTokens& tokens) {
  QDBusMessage call =
      QDBusMessage::createMethodCall(SERVICE, PATH, INTERFACE, QStringLiteral("Activate"));
  // Not the bus's to start a copy for this call, when the running one has
  // just ended: that copy would answer only once its event loop runs, and
  // on a busy machine after this start had stopped waiting and run as well.
  // This start takes the name instead.
  call.setAutoStartService(false);
  QVariantMap platformData;
  if (!tokens.startupId.isEmpty())
    platformData.insert(QStringLiteral("desktop-startup-id"), QString::fromUtf8(tokens.startupId));
  if (!tokens.activationToken.isEmpty())
    platformData.insert(QStringLiteral("activation-token"),
                        QString::fromUtf8(tokens.activationToken));
  call << platformData;
  return call;
}

}  // namespace

bool handedOverToRunningCopy(const StartTokens& tokens) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  // A running copy that ends as this start asks it to come forward lets its
  // name go unanswered: then this start takes the name, and is the copy.
  for (int round = 0; round < 2; ++round) {
    if (tookName(bus)) return false;
    if (bus.call(activate(tokens), QDBus::Block, ANSWER_WITHIN_MS).type() ==
        QDBusMessage::ReplyMessage)
      return true;
  }
  return false;
}

}  // namespace quelvaris

#include "running_copy_linux.moc"
