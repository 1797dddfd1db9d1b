#include "clockwindow/ClockTrayIcon.h"

#include <QSystemTrayIcon>

#include "desktop/AppIcons.h"

namespace kwemo {

ClockTrayIcon::ClockTrayIcon(QObject* parent)
    : QObject(parent), icon_(new QSystemTrayIcon(trayIcon(), this)) {
  icon_->setToolTip(QString::fromLatin1(kTip));
}

void ClockTrayIcon::add() { icon_->show(); }

void ClockTrayIcon::remove() { icon_->hide(); }

bool ClockTrayIcon::isAdded() const { return icon_->isVisible(); }

bool ClockTrayIcon::areaAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

}  // namespace kwemo
