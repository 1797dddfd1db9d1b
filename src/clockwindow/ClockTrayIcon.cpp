#include "clockwindow/ClockTrayIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusServiceWatcher>
#include <QSystemTrayIcon>

#include "desktop/AppIcons.h"

namespace kwemo {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

// Qt's own test when it makes the icon: a StatusNotifierWatcher with a host registered.
bool statusNotifierHostRegistered() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kWatcherService)) return false;
  QDBusInterface watcher(kWatcherService, QStringLiteral("/StatusNotifierWatcher"), kWatcherService,
                         bus);
  return watcher.property("IsStatusNotifierHostRegistered").toBool();
}

}  // namespace

ClockTrayIcon::ClockTrayIcon(QObject* parent)
    : QObject(parent),
      statusNotifier_(statusNotifierHostRegistered()),
      icon_(new QSystemTrayIcon(trayIcon(), this)) {
  icon_->setToolTip(QString::fromLatin1(kTip));
  if (statusNotifier_) {
    auto* watcher = new QDBusServiceWatcher(kWatcherService, QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, &ClockTrayIcon::checkArea);
  }
}

void ClockTrayIcon::add() {
  icon_->show();
  areaSeen_ = areaAvailable();
}

void ClockTrayIcon::remove() { icon_->hide(); }

bool ClockTrayIcon::isAdded() const { return icon_->isVisible(); }

bool ClockTrayIcon::areaAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

void ClockTrayIcon::checkArea() {
  // While an XEmbed tray is there, asking costs no round trip to the X server.
  const bool available = areaAvailable();
  const bool gone = areaSeen_ && !available && isAdded();
  areaSeen_ = available;
  if (gone) emit areaGone();
}

}  // namespace kwemo
