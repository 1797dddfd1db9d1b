// Every fixed text of the settings dialog, the colour chooser and the about box shows whole with
// the installed fonts: it fits the part of its control that text is drawn in, lies inside its
// window and keeps clear of the neighbouring controls; and every control takes a click.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QWidget>

#include "../settings/FakeHost.h"
#include "about/frmAbout.h"
#include "clockwindow/ClockPopupMenu.h"
#include "settings/SettingsShared.h"
#include "settings/frmColor.h"
#include "settings/frmSetting.h"

namespace kwemo {
namespace {

using test::control;

// The clock window as far as the dialog needs it, with the real draw-mode captions.
class Host final : public test::FakeClock {
  QString DrawModeCaption(int mode) const override { return ClockPopupMenu::drawModeCaption(mode); }
};

// A text as drawn: "&&" is "&", a single "&" marks the next character.
QString shown(QString text) { return text.replace(QRegularExpression("&(.)"), "\\1"); }

struct Placed {
  QString text;
  QRect area;  // where the control draws it, in the control's coordinates
  Qt::Alignment align;
};

std::vector<Placed> textsOf(QWidget* w) {
  std::vector<Placed> out;
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->textFormat() == Qt::RichText || label->text().isEmpty()) return out;
    const int m = label->margin();
    out.push_back({label->buddy() ? shown(label->text()) : label->text(),
                   label->contentsRect().adjusted(m, m, -m, -m), label->alignment()});
  } else if (auto* button = qobject_cast<QAbstractButton*>(w);
             button && !button->text().isEmpty()) {
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = button->text();
    auto* push = qobject_cast<QPushButton*>(w);
    if (push && (push->autoDefault() || push->isDefault()))
      opt.features |= QStyleOptionButton::AutoDefaultButton;
    const auto element = push ? QStyle::SE_PushButtonContents : QStyle::SE_CheckBoxContents;
    out.push_back({shown(button->text()), w->style()->subElementRect(element, &opt, w),
                   push ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter});
  } else if (auto* list = qobject_cast<QComboBox*>(w)) {
    // The font list holds whatever the system has, not texts of ours.
    if (list->isEditable()) return out;
    QStyleOptionComboBox opt;
    opt.initFrom(list);
    opt.editable = false;
    opt.frame = list->hasFrame();
    const QRect field =
        w->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, w);
    for (int i = 0; i < list->count(); ++i)
      out.push_back(
          {list->itemText(i), field.adjusted(1, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter});
  }
  return out;
}

// What is wrong with each text of `window`, one line each.
QStringList clippedTexts(QWidget* window) {
  const auto isControl = [](const QWidget* o) {
    return qobject_cast<const QLabel*>(o) || qobject_cast<const QAbstractButton*>(o) ||
           qobject_cast<const QComboBox*>(o) || qobject_cast<const QLineEdit*>(o) ||
           qobject_cast<const QAbstractSlider*>(o) || qobject_cast<const QAbstractScrollArea*>(o);
  };
  QStringList problems;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window)) continue;
    // A click at the centre of a control reaches that control (none lies under another).
    const QWidget* hit = window->childAt(w->mapTo(window, w->rect().center()));
    if (w->objectName().contains(QRegularExpression("^(cmd|chk|cmb|txt|vsc)")) && hit != w &&
        !w->isAncestorOf(hit))
      problems << w->objectName() + ": under another control";
    const QFontMetrics fm(w->font());
    for (const Placed& p : textsOf(w)) {
      // Its advance, or its ink where that reaches further.
      const QSize size(std::max(fm.horizontalAdvance(p.text), fm.boundingRect(p.text).right() + 1),
                       fm.height());
      const QRect drawn = QStyle::alignedRect(w->layoutDirection(), p.align, size, p.area);
      const QString name =
          QString("\"%1\" (%2 wide in %3)").arg(p.text).arg(size.width()).arg(p.area.width());
      const QRect inWindow(w->mapTo(window, drawn.topLeft()), drawn.size());
      if (!p.area.contains(drawn) || !window->rect().contains(inWindow))
        problems << name + ": cut off";
      // At least a pixel of space left and right between the text and any other control
      // (pictures and frames may lie under a text).
      const QRect clear = inWindow.adjusted(-1, 0, 1, 0);
      for (QWidget* other : window->findChildren<QWidget*>()) {
        if (other == w || other->isAncestorOf(w) || w->isAncestorOf(other) ||
            !other->isVisibleTo(window) || !isControl(other))
          continue;
        const QRect otherRect(other->mapTo(window, QPoint(0, 0)), other->size());
        if (clear.intersects(otherRect))
          problems << name + ": touches " + other->metaObject()->className();
      }
    }
  }
  return problems;
}

TEST(DialogTexts, EveryFixedTextShowsWhole) {
  Host host;
  ClockSettings record;
  record.DrawMode = 13;
  record.DigitalClock = 1;
  QPointer<frmSetting> settings = new frmSetting(record, host);
  control<QPushButton>(*settings, "cmdSetSize").show();  // as with a picture loaded
  control<QLabel>(*settings, "lblPic").setText(QStringLiteral("画像 - W:8888 , H:8888"));
  control<QLabel>(*settings, "lblPic").show();
  ColorExchange.color = {255, 255, 255};  // the widest values
  frmColor chooser;
  QPointer<frmAbout> about = new frmAbout(nullptr, {QStringLiteral("KWEMO"), 88, 88, 8888});
  for (QWidget* window : std::initializer_list<QWidget*>{settings, &chooser, about})
    EXPECT_EQ(clippedTexts(window).join(u"\n").toStdString(), "")
        << window->windowTitle().toStdString();

  delete about.data();
  delete settings.data();
  SettingOpen = false;
}

}  // namespace
}  // namespace kwemo
