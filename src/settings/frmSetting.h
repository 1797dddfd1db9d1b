#pragma once

#include <QDateTime>
#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "clock/ClockSettings.h"
#include "picture/Picture.h"
#include "settings/SettingsShared.h"
#include "settings/frmSettingDesign.h"
#include "settings/model/SettingValues.h"

class QCheckBox;
class QLineEdit;

namespace kwemo {

class DrawSurface;
class SettingsHost;
class frmColor;

// The settings dialog: shows the record's values (SettingValues) in its controls when it loads,
// lets the user edit them with a live preview, and writes them back with OK or Apply
// (SetSetting). Its controls live in frmSettingDesign; the form binds them to its handlers.
class frmSetting : public QDialog {
  Q_OBJECT

 public:
  // The moment the preview draws; empty = the system clock.
  using Clock = std::function<QDateTime()>;

  frmSetting(ClockSettings& settings, SettingsHost& host, QWidget* parent = nullptr,
             Clock clock = {});
  ~frmSetting() override;

  // The hidden image holder: the background picture last loaded from txtBackFile.
  const std::optional<Picture>& imgPrev() const { return imgPrev_; }

  // --- the dialog's own state -----------------------------------------------------------------
  std::array<ColorTriplet, 6> EditColors{};
  std::int32_t PicWidth = 0;
  std::int32_t PicHeight = 0;
  bool Loading = false;

  // Marks the dialog as changed (enables Apply) unless it is loading.
  void AcEnabled();
  // Writes every control into ClockSettings, resizes the clock window and sets NeedPrepare.
  // Refuses (false, nothing applied, the offending field focused and a message shown) when a
  // number field holds no usable number.
  bool SetSetting();
  // The clock window was resized: its new inner size goes into the size fields.
  void ClockResized(QSize inner);

  // The preview's surface, drawn by timI_Timer.
  DrawSurface& previewSurface() { return *prevSurface_; }
  // What the preview reads from the controls at this moment.
  PreviewInputs previewInputs() const;
  // Every value the controls hold at this moment.
  SettingValues values() const;

  // A control's value as the old check boxes gave it: 0 unchecked, 1 checked, 2 greyed.
  static int checkValue(const QCheckBox* box);
  // False (box unchanged) for values other than 0, 1 and 2.
  static bool setCheckValue(QCheckBox* box, int value);

 public slots:
  void cmdOK_Click();
  void cmdAccept_Click();
  void cmdCancel_Click();
  void cmdHari_Click(int index);
  void cmdBrouse_Click();
  void txtBackFile_Change();
  void cmdSetSize_Click();
  void timI_Timer();
  // Style sets: load the set chosen in cmbSkin, save the dialog's values as a set.
  void cmdLoad_Click();
  void cmdSSave_Click();
  // Esc and the window's close box leave like Cancel.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connectHandlers();
  void Form_Load();
  void chkDC_Click();
  void chkMemori_Click();
  void vscLong_Change(int index);
  void vscFS_Change();
  void vscAlign_Change();
  // Sets the controls to `values` (see frmSetting.cpp for the order and the handlers it fires).
  void showValues(const SettingValues& values);
  QLineEdit* fieldOf(SettingBox field) const;
  void unload();

  frmSettingDesign ui_;
  ClockSettings& settings_;
  SettingsHost& host_;
  Clock clock_;
  DrawSurface* prevSurface_ = nullptr;
  std::optional<Picture> imgPrev_;
  PictureCache pictures_;
};

// Shows the settings dialog for the clock: loads it when it is not loaded, otherwise brings the
// open one to the front. One instance at a time.
frmSetting* ShowSettings(ClockSettings& settings, SettingsHost& host);
// The open dialog, or null.
frmSetting* OpenSettings();
// The clock window's resize step calls this with its new inner size; while the dialog is open
// (SettingOpen) the size fields follow.
void SettingsClockResized(QSize inner);

}  // namespace kwemo
