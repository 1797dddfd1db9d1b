#include "clock/ClockSettingsStorage.h"

#include "oldruntime/Conversions.h"

namespace kwemo {

namespace {

const QString kSetting = QStringLiteral("Setting");
const QString kColor = QStringLiteral("Color");
const QString kPosition = QStringLiteral("Position");

class Reader {
 public:
  explicit Reader(const SettingsStore& store) : store_(store) {}
  QString text(const QString& section, const QString& key) const {
    return store_.read(settingsApplication(), section, key);
  }
  void integer(const QString& section, const QString& key, std::int16_t& field) const {
    if (const auto v = CInt(text(section, key))) field = *v;
  }
  void boolean(const QString& key, bool& field) const {
    if (const auto v = CBool(text(kSetting, key))) field = *v;
  }
  void single(const QString& key, float& field) const {
    if (const auto v = CSng(text(kSetting, key))) field = *v;
  }
  bool isTrue(const QString& section, const QString& key) const {
    return text(section, key) == QStringLiteral("True");
  }

 private:
  const SettingsStore& store_;
};

class Writer {
 public:
  explicit Writer(SettingsStore& store) : store_(store) {}
  void text(const QString& section, const QString& key, const QString& value) {
    ok_ = store_.write(settingsApplication(), section, key, value) && ok_;
  }
  void integer(const QString& section, const QString& key, int value) {
    text(section, key, IntText(value));
  }
  void boolean(const QString& section, const QString& key, bool value) {
    text(section, key, BoolText(value));
  }
  void single(const QString& section, const QString& key, float value) {
    text(section, key, SingleText(value));
  }
  bool ok() const { return ok_; }

 private:
  SettingsStore& store_;
  bool ok_ = true;
};

void applyFirstRunValues(ClockSettings& s) {
  s.Memori = false;
  s.DigitalClock = 1;
  s.Moji_R = s.Moji_G = s.Moji_B = 0;
  s.Hour_R = s.Hour_G = s.Hour_B = 0;
  s.Minute_R = s.Minute_G = s.Minute_B = 0;
  s.Second_R = s.Second_G = s.Second_B = 0;
  s.Circle_R = s.Circle_G = s.Circle_B = 0;
  s.BG_R = s.BG_G = s.BG_B = 255;
  s.MojiColor = s.HourColor = s.MinuteColor = s.SecondColor = s.CircleColor = 0;
  s.HourLine = 2;
  s.MinuteLine = 2;
  s.SecondLine = 1;
  s.BackLine = 1;
  s.BackBMP.clear();
  s.DrawMode = 13;
  s.Format = QStringLiteral("m/d h:nn");
  s.FontSize = 8;
  s.FontName = QStringLiteral("ＭＳ Ｐゴシック");
  s.TextTop = 70;
  s.hLong = {60, 80, 95};
}

}  // namespace

LoadOutcome LoadClockSettings(const SettingsStore& store, ClockSettings& s) {
  const Reader r(store);
  s.DrawMode = 13;

  r.integer(kSetting, QStringLiteral("DigitalClock"), s.DigitalClock);
  r.integer(kSetting, QStringLiteral("FontSize"), s.FontSize);
  s.Format = r.text(kSetting, QStringLiteral("Format"));
  s.FontName = r.text(kSetting, QStringLiteral("FontName"));
  r.boolean(QStringLiteral("FontBold"), s.FontBold);
  r.boolean(QStringLiteral("FontItalic"), s.FontItalic);
  r.single(QStringLiteral("TextTop"), s.TextTop);
  r.boolean(QStringLiteral("HideSecond"), s.HideSecond);
  for (int i = 0; i < 3; ++i) r.single(QStringLiteral("hLong") + QString::number(i), s.hLong[i]);
  r.boolean(QStringLiteral("Memori"), s.Memori);
  r.boolean(QStringLiteral("mPset"), s.mPset);
  r.boolean(QStringLiteral("nHari"), s.nHari);

  r.integer(kColor, QStringLiteral("moji_R"), s.Moji_R);
  r.integer(kColor, QStringLiteral("Moji_G"), s.Moji_G);
  r.integer(kColor, QStringLiteral("Moji_B"), s.Moji_B);
  r.integer(kColor, QStringLiteral("Hour_R"), s.Hour_R);
  r.integer(kColor, QStringLiteral("Hour_G"), s.Hour_G);
  r.integer(kColor, QStringLiteral("Hour_B"), s.Hour_B);
  r.integer(kColor, QStringLiteral("Minute_R"), s.Minute_R);
  r.integer(kColor, QStringLiteral("Minute_G"), s.Minute_G);
  r.integer(kColor, QStringLiteral("Minute_B"), s.Minute_B);
  r.integer(kColor, QStringLiteral("Second_R"), s.Second_R);
  r.integer(kColor, QStringLiteral("Second_G"), s.Second_G);
  r.integer(kColor, QStringLiteral("Second_B"), s.Second_B);
  r.integer(kColor, QStringLiteral("BG_R"), s.BG_R);
  r.integer(kColor, QStringLiteral("BG_G"), s.BG_G);
  r.integer(kColor, QStringLiteral("BG_B"), s.BG_B);
  r.integer(kColor, QStringLiteral("Circle_R"), s.Circle_R);
  r.integer(kColor, QStringLiteral("Circle_G"), s.Circle_G);
  r.integer(kColor, QStringLiteral("Circle_B"), s.Circle_B);

  r.integer(kSetting, QStringLiteral("HourLine"), s.HourLine);
  r.integer(kSetting, QStringLiteral("MinuteLine"), s.MinuteLine);
  r.integer(kSetting, QStringLiteral("SecondLine"), s.SecondLine);
  r.integer(kSetting, QStringLiteral("BackLine"), s.BackLine);

  s.updateColors();
  if (s.BackLine == 0) s.BackLine = 1;

  r.integer(kColor, QStringLiteral("DrawMode"), s.DrawMode);
  s.BackBMP = r.text(kSetting, QStringLiteral("BackBMP"));

  LoadOutcome outcome;
  outcome.alwaysOnTop = r.isTrue(kPosition, QStringLiteral("Always On Top"));
  outcome.firstRun = !r.isTrue(kSetting, QStringLiteral("Runed"));
  if (outcome.firstRun) applyFirstRunValues(s);
  return outcome;
}

bool LoadRgnMode(const SettingsStore& store) {
  return Reader(store).isTrue(kSetting, QStringLiteral("RgnMode"));
}

std::optional<StoredPlacement> LoadPlacement(const SettingsStore& store) {
  const Reader r(store);
  const auto left = CSng(r.text(kPosition, QStringLiteral("Left")));
  if (!left) return std::nullopt;
  return StoredPlacement{*left, Val(r.text(kPosition, QStringLiteral("top"))),
                         Val(r.text(kPosition, QStringLiteral("width"))),
                         Val(r.text(kPosition, QStringLiteral("height")))};
}

bool SaveClockSettings(SettingsStore& store, const ClockSettings& s, const WindowState& window) {
  SettingsBatch batch(store);
  Writer w(store);
  for (int i = 0; i < 3; ++i)
    w.single(kSetting, QStringLiteral("hLong") + QString::number(i), s.hLong[i]);
  w.boolean(kSetting, QStringLiteral("HideSecond"), s.HideSecond);
  w.integer(kSetting, QStringLiteral("DigitalClock"), s.DigitalClock);
  w.integer(kSetting, QStringLiteral("FontSize"), s.FontSize);
  w.text(kSetting, QStringLiteral("Format"), s.Format);
  w.text(kSetting, QStringLiteral("FontName"), s.FontName);
  w.boolean(kSetting, QStringLiteral("FontBold"), s.FontBold);
  w.boolean(kSetting, QStringLiteral("FontItalic"), s.FontItalic);
  w.single(kSetting, QStringLiteral("TextTop"), s.TextTop);
  w.boolean(kSetting, QStringLiteral("Memori"), s.Memori);
  w.boolean(kSetting, QStringLiteral("mPset"), s.mPset);
  w.boolean(kSetting, QStringLiteral("nHari"), s.nHari);

  w.single(kPosition, QStringLiteral("Left"), window.Left);
  w.single(kPosition, QStringLiteral("Top"), window.Top);
  w.single(kPosition, QStringLiteral("Width"), window.Width);
  w.single(kPosition, QStringLiteral("Height"), window.Height);
  w.boolean(kPosition, QStringLiteral("Always On Top"), window.AlwaysOnTop);

  w.integer(kSetting, QStringLiteral("HourLine"), s.HourLine);
  w.integer(kSetting, QStringLiteral("MinuteLine"), s.MinuteLine);
  w.integer(kSetting, QStringLiteral("SecondLine"), s.SecondLine);
  w.integer(kSetting, QStringLiteral("BackLine"), s.BackLine);
  w.boolean(kSetting, QStringLiteral("RgnMode"), window.RgnMode);

  w.integer(kColor, QStringLiteral("Hour_R"), s.Hour_R);
  w.integer(kColor, QStringLiteral("Hour_G"), s.Hour_G);
  w.integer(kColor, QStringLiteral("Hour_B"), s.Hour_B);
  w.integer(kColor, QStringLiteral("Moji_R"), s.Moji_R);
  w.integer(kColor, QStringLiteral("Moji_G"), s.Moji_G);
  w.integer(kColor, QStringLiteral("Moji_B"), s.Moji_B);
  w.integer(kColor, QStringLiteral("Minute_R"), s.Minute_R);
  w.integer(kColor, QStringLiteral("Minute_G"), s.Minute_G);
  w.integer(kColor, QStringLiteral("Minute_B"), s.Minute_B);
  w.integer(kColor, QStringLiteral("Second_R"), s.Second_R);
  w.integer(kColor, QStringLiteral("Second_G"), s.Second_G);
  w.integer(kColor, QStringLiteral("Second_B"), s.Second_B);
  w.integer(kColor, QStringLiteral("BG_R"), s.BG_R);
  w.integer(kColor, QStringLiteral("BG_G"), s.BG_G);
  w.integer(kColor, QStringLiteral("BG_B"), s.BG_B);
  w.integer(kColor, QStringLiteral("Circle_R"), s.Circle_R);
  w.integer(kColor, QStringLiteral("Circle_G"), s.Circle_G);
  w.integer(kColor, QStringLiteral("Circle_B"), s.Circle_B);

  w.text(kSetting, QStringLiteral("Runed"), QStringLiteral("True"));
  w.text(kSetting, QStringLiteral("BackBMP"), s.BackBMP);
  w.integer(kColor, QStringLiteral("DrawMode"), s.DrawMode);
  return batch.commit() && w.ok();
}

}  // namespace kwemo
