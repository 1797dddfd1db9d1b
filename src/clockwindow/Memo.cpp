#include "clockwindow/Memo.h"

#include "clock/ClockSettingsStorage.h"
#include "store/SettingsStore.h"

namespace kwemo {

namespace {

QString memoSection() { return QStringLiteral("Memo"); }
QString titleKey() { return QStringLiteral("Title"); }
QString textKey() { return QStringLiteral("Memo"); }

constexpr int kShortTitleLength = 10;

}  // namespace

StoredMemo ReadMemo(const SettingsStore& store) {
  return {store.read(settingsApplication(), memoSection(), titleKey()),
          store.read(settingsApplication(), memoSection(), textKey())};
}

bool WriteMemo(SettingsStore& store, const StoredMemo& memo) {
  SettingsBatch batch(store);
  bool ok = store.write(settingsApplication(), memoSection(), titleKey(), memo.title);
  ok =
      store.write(settingsApplication(), memoSection(), textKey(), ToStoredLineBreaks(memo.text)) &&
      ok;
  return batch.commit() && ok;
}

QString ShortTitle(const QString& title) {
  qsizetype end = 0;
  for (int n = 0; n < kShortTitleLength; ++n) {
    if (end >= title.size()) return title;
    end += (title.at(end).isHighSurrogate() && end + 1 < title.size() &&
            title.at(end + 1).isLowSurrogate())
               ? 2
               : 1;
  }
  if (end >= title.size()) return title;
  return title.left(end) + QStringLiteral("...");
}

QString MemoClipboardText(const StoredMemo& memo) {
  return memo.title + QStringLiteral("\r\n--------\r\n") + memo.text;
}

QString ToStoredLineBreaks(const QString& text) {
  QString lf = FromStoredLineBreaks(text);
  return lf.replace(u'\n', QStringLiteral("\r\n"));
}

QString FromStoredLineBreaks(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(u'\r', u'\n');
  return out;
}

}  // namespace kwemo
