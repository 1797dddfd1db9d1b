// Every fixed text of the settings dialog, the colour chooser, the memo window and the about box
// shows whole with the installed fonts: it fits the part of its control that text is drawn in,
// lies inside its window and keeps clear of the neighbouring controls.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QWidget>
#include <memory>

#include "about/frmAbout.h"
#include "clock/FaceState.h"
#include "clockwindow/ClockPopupMenu.h"
#include "clockwindow/MemoHost.h"
#include "clockwindow/frmMemo.h"
#include "settings/SettingsHost.h"
#include "settings/SettingsShared.h"
#include "settings/frmColor.h"
#include "settings/frmSetting.h"
#include "store/MemorySettingsStore.h"

namespace kwemo {
namespace {

// The clock window as far as the dialog needs it, with the real draw-mode captions.
class Host final : public SettingsHost, public MemoHost {
 public:
  QSize ClientSize() const override { return {120, 120}; }
  void SetClientSize(QSize) override {}
  FaceState& Face() override { return face; }
  QString DrawModeCaption(int mode) const override { return ClockPopupMenu::drawModeCaption(mode); }
  void SetTopMost(QWidget*, bool, QWidget*) override {}
  void ShowMsg(const QString&, int) override {}
  void setMemoItemsEnabled(bool) override {}
  bool memoCopyEnabled() const override { return true; }
  FaceState face;
};

// A text as drawn: "&&" is "&", a single "&" marks the next character.
QString shown(const QString& text, bool mnemonic) {
  if (!mnemonic) return text;
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// Width a text needs: its advance, or its ink where that reaches further.
int needed(const QFontMetrics& fm, const QString& text) {
  return std::max(fm.horizontalAdvance(text), fm.boundingRect(text).right() + 1);
}

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
    out.push_back({shown(label->text(), label->buddy() != nullptr),
                   label->contentsRect().adjusted(m, m, -m, -m), label->alignment()});
  } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
    QStyleOptionButton opt;
    opt.initFrom(check);
    opt.text = check->text();
    const QRect r = w->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, w);
    out.push_back({shown(check->text(), true), r, Qt::AlignLeft | Qt::AlignVCenter});
  } else if (auto* button = qobject_cast<QPushButton*>(w)) {
    if (button->text().isEmpty()) return out;
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = button->text();
    if (button->autoDefault() || button->isDefault())
      opt.features |= QStyleOptionButton::AutoDefaultButton;
    const QRect r = w->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, w);
    out.push_back({shown(button->text(), true), r, Qt::AlignCenter});
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

bool isControl(const QWidget* w) {
  return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
         qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QAbstractScrollArea*>(w);
}

// What is wrong with each text of `window`, one line each.
QStringList clippedTexts(QWidget* window) {
  QStringList problems;
  const QRect inside = window->rect();
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window)) continue;
    const QFontMetrics fm(w->font());
    for (const Placed& p : textsOf(w)) {
      const QSize size(needed(fm, p.text), fm.height());
      const QRect drawn = QStyle::alignedRect(w->layoutDirection(), p.align, size, p.area);
      const QString name = QStringLiteral("%1 \"%2\" (%3 x %4 in %5 x %6)")
                               .arg(QString::fromLatin1(w->metaObject()->className()), p.text)
                               .arg(size.width())
                               .arg(size.height())
                               .arg(p.area.width())
                               .arg(p.area.height());
      if (!p.area.contains(drawn)) problems << name + QStringLiteral(": cut off by its control");
      const QRect inWindow(w->mapTo(window, drawn.topLeft()), drawn.size());
      if (!inside.contains(inWindow)) problems << name + QStringLiteral(": cut off by the window");
      // At least a pixel of space left and right between the text and any other control
      // (pictures and frames may lie under a text).
      const QRect clear = inWindow.adjusted(-1, 0, 1, 0);
      for (QWidget* other : window->findChildren<QWidget*>()) {
        if (other == w || other->isAncestorOf(w) || w->isAncestorOf(other) ||
            !other->isVisibleTo(window) || !isControl(other))
          continue;
        const QRect otherRect(other->mapTo(window, QPoint(0, 0)), other->size());
        if (clear.intersects(otherRect))
          problems << name + QStringLiteral(": touches ") +
                          QString::fromLatin1(other->metaObject()->className());
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
  settings->cmdSetSize->show();  // as with a picture loaded
  settings->lblPic->setText(QStringLiteral("画像 - W:8888 , H:8888"));
  settings->lblPic->show();
  EXPECT_EQ(clippedTexts(settings).join(u"\n").toStdString(), "") << "settings dialog";

  // Each value label at its widest.
  for (int value : {0, 88, 255}) {
    ColorExchange.color = {static_cast<std::int16_t>(value), static_cast<std::int16_t>(value),
                           static_cast<std::int16_t>(value)};
    frmColor chooser;
    EXPECT_EQ(clippedTexts(&chooser).join(u"\n").toStdString(), "")
        << "colour chooser at " << value;
  }

  MemorySettingsStore store;
  QPointer<frmMemo> memo = new frmMemo(store, host);
  EXPECT_EQ(clippedTexts(memo).join(u"\n").toStdString(), "") << "memo";

  QPointer<frmAbout> about = new frmAbout(nullptr, {QStringLiteral("KWEMO"), 88, 88, 8888});
  EXPECT_EQ(clippedTexts(about).join(u"\n").toStdString(), "") << "about box";

  memo->discard();
  delete about.data();
  delete settings.data();
  SettingOpen = false;
}

}  // namespace
}  // namespace kwemo
