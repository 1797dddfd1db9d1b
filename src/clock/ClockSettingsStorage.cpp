#include "clock/ClockSettingsStorage.h"

#include <cstdlib>
#include <type_traits>
#include <vector>

#include "oldruntime/Conversions.h"

namespace kwemo {

namespace {

constexpr const char* kSetting = "Setting";
constexpr const char* kColor = "Color";
constexpr const char* kPosition = "Position";
constexpr std::pair<int, int> kComponent{0, 255};

using F = SettingField;
using S = ClockSettings;
using W = WindowState;

// In the order the shut-down writes them.
const std::vector<SettingField>& table() {
  static const std::vector<SettingField> fields{
      {kSetting, "hLong0", F::HandLength{0}, "60"},
      {kSetting, "hLong1", F::HandLength{1}, "80"},
      {kSetting, "hLong2", F::HandLength{2}, "95"},
      {kSetting, "HideSecond", &S::HideSecond},
      {kSetting, "DigitalClock", &S::DigitalClock, "1"},
      {kSetting, "FontSize", &S::FontSize, "8"},
      {kSetting, "Format", &S::Format, "m/d h:nn"},
      {kSetting, "FontName", &S::FontName, "ＭＳ Ｐゴシック"},
      {kSetting, "FontBold", &S::FontBold},
      {kSetting, "FontItalic", &S::FontItalic},
      {kSetting, "TextTop", &S::TextTop, "70"},
      {kSetting, "Memori", &S::Memori, "False"},
      {kSetting, "mPset", &S::mPset},
      {kSetting, "nHari", &S::nHari},
      {kPosition, "Left", &W::Left},
      {kPosition, "Top", &W::Top, nullptr, std::nullopt, "top"},
      {kPosition, "Width", &W::Width, nullptr, std::nullopt, "width"},
      {kPosition, "Height", &W::Height, nullptr, std::nullopt, "height"},
      {kPosition, "Always On Top", &W::AlwaysOnTop},
      {kSetting, "HourLine", &S::HourLine, "2"},
      {kSetting, "MinuteLine", &S::MinuteLine, "2"},
      {kSetting, "SecondLine", &S::SecondLine, "1"},
      {kSetting, "BackLine", &S::BackLine, "1"},
      {kSetting, "RgnMode", &W::RgnMode},
      {kColor, "Hour_R", &S::Hour_R, "0", kComponent},
      {kColor, "Hour_G", &S::Hour_G, "0", kComponent},
      {kColor, "Hour_B", &S::Hour_B, "0", kComponent},
      {kColor, "Moji_R", &S::Moji_R, "0", kComponent, "moji_R"},
      {kColor, "Moji_G", &S::Moji_G, "0", kComponent},
      {kColor, "Moji_B", &S::Moji_B, "0", kComponent},
      {kColor, "Minute_R", &S::Minute_R, "0", kComponent},
      {kColor, "Minute_G", &S::Minute_G, "0", kComponent},
      {kColor, "Minute_B", &S::Minute_B, "0", kComponent},
      {kColor, "Second_R", &S::Second_R, "0", kComponent},
      {kColor, "Second_G", &S::Second_G, "0", kComponent},
      {kColor, "Second_B", &S::Second_B, "0", kComponent},
      {kColor, "BG_R", &S::BG_R, "255", kComponent},
      {kColor, "BG_G", &S::BG_G, "255", kComponent},
      {kColor, "BG_B", &S::BG_B, "255", kComponent},
      {kColor, "Circle_R", &S::Circle_R, "0", kComponent},
      {kColor, "Circle_G", &S::Circle_G, "0", kComponent},
      {kColor, "Circle_B", &S::Circle_B, "0", kComponent},
      {kSetting, "Runed", F::RunMarker{}},
      {kSetting, "BackBMP", &S::BackBMP, ""},
      {kColor, "DrawMode", &S::DrawMode, "13", std::pair{1, 16}},
  };
  return fields;
}

// Where a field's value lives; nothing for the run marker.
using Ref = std::variant<std::monostate, std::int16_t*, bool*, float*, QString*>;

Ref refOf(const SettingField& f, ClockSettings& s, WindowState& w) {
  return std::visit(
      [&]<class T>(const T& target) -> Ref {
        if constexpr (std::is_same_v<T, F::HandLength>) {
          return &s.hLong[target.index];
        } else if constexpr (std::is_same_v<T, F::RunMarker>) {
          return {};
        } else if constexpr (std::is_member_object_pointer_v<T>) {
          if constexpr (requires { s.*target; })
            return &(s.*target);
          else
            return &(w.*target);
        }
      },
      f.target);
}

bool inRecord(const SettingField& f) {
  return !std::holds_alternative<float W::*>(f.target) &&
         !std::holds_alternative<bool W::*>(f.target) &&
         !std::holds_alternative<F::RunMarker>(f.target);
}

const SettingField& row(const SettingField::Target& target) {
  for (const SettingField& f : table())
    if (f.target == target) return f;
  std::abort();  // every target has its row
}

QString readText(const SettingsStore& store, const SettingField& f) {
  return store.read(settingsApplication(), QString::fromUtf8(f.section),
                    QString::fromUtf8(f.readKey ? f.readKey : f.key));
}

bool isTrue(const SettingsStore& store, const SettingField::Target& target) {
  return readText(store, row(target)) == QStringLiteral("True");
}

// A text that does not convert leaves the value as it was; a text field takes any text.
void convertInto(const QString& text, const Ref& ref) {
  std::visit(
      [&](auto p) {
        using T = std::remove_pointer_t<decltype(p)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
        } else if constexpr (std::is_same_v<T, std::int16_t>) {
          if (const auto v = CInt(text)) *p = *v;
        } else if constexpr (std::is_same_v<T, bool>) {
          if (const auto v = CBool(text)) *p = *v;
        } else if constexpr (std::is_same_v<T, float>) {
          if (const auto v = CSng(text)) *p = *v;
        } else {
          *p = text;
        }
      },
      ref);
}

void applyFirstRunValues(ClockSettings& s) {
  WindowState unused;
  for (const SettingField& f : table())
    if (f.firstRun && inRecord(f)) convertInto(QString::fromUtf8(f.firstRun), refOf(f, s, unused));
  s.updateColors();
}

QString storedText(const Ref& ref) {
  return std::visit(
      [](auto p) -> QString {
        using T = std::remove_pointer_t<decltype(p)>;
        if constexpr (std::is_same_v<T, std::monostate>)
          return QStringLiteral("True");
        else if constexpr (std::is_same_v<T, std::int16_t>)
          return IntText(*p);
        else if constexpr (std::is_same_v<T, bool>)
          return BoolText(*p);
        else if constexpr (std::is_same_v<T, float>)
          return SingleText(*p);
        else
          return *p;
      },
      ref);
}

}  // namespace

std::span<const SettingField> SettingFields() { return table(); }

ClockSettings FirstRunSettings() {
  ClockSettings s;
  applyFirstRunValues(s);
  return s;
}

LoadOutcome LoadClockSettings(const SettingsStore& store, ClockSettings& s) {
  s.DrawMode = 13;
  WindowState unused;
  for (const SettingField& f : table())
    if (inRecord(f)) convertInto(readText(store, f), refOf(f, s, unused));
  s.updateColors();
  if (s.BackLine == 0) s.BackLine = 1;

  LoadOutcome outcome;
  outcome.alwaysOnTop = isTrue(store, &W::AlwaysOnTop);
  outcome.firstRun = !isTrue(store, F::RunMarker{});
  if (outcome.firstRun) applyFirstRunValues(s);
  return outcome;
}

bool LoadRgnMode(const SettingsStore& store) { return isTrue(store, &W::RgnMode); }

std::optional<StoredPlacement> LoadPlacement(const SettingsStore& store) {
  const auto text = [&](float W::*m) { return readText(store, row(m)); };
  const auto left = CSng(text(&W::Left));
  if (!left) return std::nullopt;
  return StoredPlacement{*left, Val(text(&W::Top)), Val(text(&W::Width)), Val(text(&W::Height))};
}

bool SaveClockSettings(SettingsStore& store, const ClockSettings& settings,
                       const WindowState& window) {
  SettingsBatch batch(store);
  ClockSettings s = settings;
  WindowState w = window;
  bool ok = true;
  for (const SettingField& f : table())
    ok = store.write(settingsApplication(), QString::fromUtf8(f.section), QString::fromUtf8(f.key),
                     storedText(refOf(f, s, w))) &&
         ok;
  return batch.commit() && ok;
}

}  // namespace kwemo
