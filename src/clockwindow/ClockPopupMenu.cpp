#include "clockwindow/ClockPopupMenu.h"

#include <QAction>
#include <QMenu>

#include "clockwindow/Memo.h"

namespace kwemo {

namespace {

// QMenu draws the text after a tab right-aligned, in the place of a shortcut.
constexpr QChar kLabelSeparator = u'\t';

const char* const kDrawModeCaptions[ClockPopupMenu::kDrawModes] = {
    "01 - Blackness(&1)",       "02 - Not Merge Pen(&2)", "03 - Mask Not Pen(&3)",
    "04 - Not Copy Pen(&4)",    "05 - Mask Pen Not(&5)",  "06 - Invert(&6)",
    "07 - Xor Pen(&7)",         "08 - Not Mask Pen(&8)",  "09 - Mask Pen(&9)",
    "10 - Not Xor Pen(&0)",     "11 - No operation(&A)",  "12 - Merge Not Pen(&B)",
    "13 - (標準) Copy Pen(&C)", "14 - Merge Pen Not(&D)", "15 - Merge Pen(&E)",
    "16 - White(&F)",
};

// A menu click toggles a checkable action before it reports; the commands decide the marks.
void undoClickToggle(QAction& item, bool checkedNow) {
  if (item.isCheckable()) item.setChecked(!checkedNow);
}

}  // namespace

ClockPopupMenu::ClockPopupMenu(ItemFactory makeItem, QObject* parent)
    : QObject(parent),
      makeItem_(std::move(makeItem)),
      mnuPopup_(new QMenu(QStringLiteral("mnuPopup"))),
      drawModeMenu_(new QMenu(QStringLiteral("線画モード(&D)"), mnuPopup_)) {
  mnuPopup_->setObjectName(QStringLiteral("mnuPopup"));
  addItem(kAlwaysOnTop, QStringLiteral("Always On Top(&A)"), QStringLiteral("Ctrl+A"), true);
  addSeparator(10);
  addItem(kMemoEdit, QStringLiteral("メモの表示・編集(&M)"), QStringLiteral("Ctrl+M"), false);
  addItem(kMemoClear, QStringLiteral("メモ消去(&E)"), {}, false);
  addItem(kMemoCopy, QStringLiteral("メモをクリップボードにコピー(&C)"), QStringLiteral("Ctrl+C"),
          false);
  addSeparator(19);
  addItem(kClearClipboard, QStringLiteral("クリップボード消去(&K)"), {}, false);
  addSeparator(99);
  addItem(kSetting, QStringLiteral("Setting(&S)"), QStringLiteral("Ctrl+S"), false);

  QAction* drawModeItem = drawModeMenu_->menuAction();
  drawModeItem->setData(kDrawModeMenu);
  mnuPopup_->addAction(drawModeItem);
  mPI_[kDrawModeMenu] = drawModeItem;
  order_.push_back(kDrawModeMenu);
  for (int n = 1; n <= kDrawModes; ++n) {
    auto* item = new QAction(drawModeCaption(n), drawModeMenu_);
    item->setCheckable(true);
    item->setData(n);
    drawModeMenu_->addAction(item);
    mDM_[n] = item;
    connect(item, &QAction::triggered, this, [this, item, n](bool checkedNow) {
      undoClickToggle(*item, checkedNow);
      emit mDM_Clicked(n);
    });
  }

  addSeparator(109);
  addItem(kEllipticForm, QStringLiteral("円形フォーム(&F)"), QStringLiteral("Ctrl+F"), true);
  addSeparator(997);
  addItem(kHideInTray, QStringLiteral("タスクトレイに隠す(&T)"), QStringLiteral("F12"), true);
  addSeparator(999);
  addItem(kAbout, QStringLiteral("About...(&V)"), {}, false);
  addItem(kEnd, QStringLiteral("End(&E)"), {}, false);
}

ClockPopupMenu::~ClockPopupMenu() { delete mnuPopup_; }

void ClockPopupMenu::addItem(int index, const QString& caption, const QString& label,
                             bool checkable) {
  QAction* item = makeItem_ ? makeItem_(index, caption, checkable) : nullptr;
  if (!item) item = new QAction(this);
  item->setCheckable(checkable);
  item->setData(index);
  item->setText(label.isEmpty() ? caption : caption + kLabelSeparator + label);
  mnuPopup_->addAction(item);
  mPI_[index] = item;
  order_.push_back(index);
  connect(item, &QAction::triggered, this, [this, item, index](bool checkedNow) {
    undoClickToggle(*item, checkedNow);
    emit mPI_Clicked(index);
  });
}

void ClockPopupMenu::addSeparator(int index) {
  QAction* item = mnuPopup_->addSeparator();
  item->setData(index);
  mPI_[index] = item;
  order_.push_back(index);
}

QAction* ClockPopupMenu::mPI(int index) const {
  const auto it = mPI_.find(index);
  return it == mPI_.end() ? nullptr : it->second;
}

QAction* ClockPopupMenu::mDM(int n) const {
  return n >= 1 && n <= kDrawModes ? mDM_[static_cast<std::size_t>(n)] : nullptr;
}

std::vector<int> ClockPopupMenu::indices() const { return order_; }

QString ClockPopupMenu::caption(const QAction& item) {
  return item.text().section(kLabelSeparator, 0, 0);
}

QString ClockPopupMenu::shortcutLabel(const QAction& item) {
  return item.text().section(kLabelSeparator, 1);
}

QString ClockPopupMenu::drawModeCaption(int n) {
  if (n < 1 || n > kDrawModes) return {};
  return QString::fromUtf8(kDrawModeCaptions[n - 1]);
}

QString ClockPopupMenu::memoCaption(const QString& title) {
  if (title.isEmpty()) return QStringLiteral("メモ作成(&M)");
  return QStringLiteral("メモの表示・編集(&M) - ") + ShortTitle(title);
}

void ClockPopupMenu::setCaption(QAction& item, const QString& caption) {
  const QString label = shortcutLabel(item);
  item.setText(label.isEmpty() ? caption : caption + kLabelSeparator + label);
}

void ClockPopupMenu::refresh(const QString& storedTitle, int drawMode) {
  setMemoItemsEnabled(!storedTitle.isEmpty());
  setCaption(*mPI(kMemoEdit), memoCaption(storedTitle));
  checkDrawMode(drawMode);
}

void ClockPopupMenu::checkDrawMode(int drawMode) {
  for (int n = 1; n <= kDrawModes; ++n)
    mDM_[static_cast<std::size_t>(n)]->setChecked(n == drawMode);
}

void ClockPopupMenu::setMemoItemsEnabled(bool enabled) {
  mPI(kMemoClear)->setEnabled(enabled);
  mPI(kMemoCopy)->setEnabled(enabled);
}

bool ClockPopupMenu::checked(int index) const {
  const QAction* item = mPI(index);
  return item && item->isChecked();
}

void ClockPopupMenu::setChecked(int index, bool checked) {
  if (QAction* item = mPI(index)) item->setChecked(checked);
}

bool ClockPopupMenu::enabled(int index) const {
  const QAction* item = mPI(index);
  return item && item->isEnabled();
}

}  // namespace kwemo
