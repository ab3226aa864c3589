// A desktop's tray over D-Bus, as KDE Plasma and GNOME's AppIndicator extension provide it: owns
// org.kde.StatusNotifierWatcher on the session bus, says a host is there, and keeps the items that
// register (a test starts one for each program it runs). Prints "ready" once it owns the name,
// then "item SERVICE PATH" for each registration. A test activates an item itself (gdbus call ...
// org.kde.StatusNotifierItem.Activate 0 0), or as a host does on a double click:
//   status_notifier_watcher activate SERVICE PATH N   N activations, sent together
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QStringList>
#include <cstdio>

namespace {

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

class Watcher : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    QStringList items() const { return items_; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public slots:
    // Items name themselves by service or by object path (the service is then the caller).
    void RegisterStatusNotifierItem(const QString& serviceOrPath)
    {
        const bool path = serviceOrPath.startsWith('/');
        const QString service = path ? message().service() : serviceOrPath;
        const QString object = path ? serviceOrPath : QStringLiteral("/StatusNotifierItem");
        items_ << service + object;
        say("item " + service + " " + object);
        emit StatusNotifierItemRegistered(service + object);
    }
    void RegisterStatusNotifierHost(const QString&) { }

signals:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierItemUnregistered(const QString& item);
    void StatusNotifierHostRegistered();

private:
    QStringList items_;
};

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (argc == 5 && QByteArray(argv[1]) == "activate") {
        const auto text = [&](int i) { return QString::fromLocal8Bit(argv[i]); };
        QList<QDBusPendingCall> calls;
        for (int i = text(4).toInt(); i > 0; --i)
            calls << bus.asyncCall(QDBusMessage::createMethodCall(
                                       text(2), text(3), "org.kde.StatusNotifierItem", "Activate")
                                   << 0 << 0);
        for (QDBusPendingCall& call : calls)
            call.waitForFinished();
        return 0;
    }
    Watcher watcher;
    if (!bus.registerObject("/StatusNotifierWatcher", &watcher,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                QDBusConnection::ExportAllProperties) ||
        !bus.registerService("org.kde.StatusNotifierWatcher")) {
        say("no session bus, or the name is taken");
        return 1;
    }
    say("ready");
    return app.exec();
}

#include "status_notifier_watcher.moc"
