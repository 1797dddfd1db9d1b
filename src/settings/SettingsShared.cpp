#include "settings/SettingsShared.h"

namespace kwemo {

ColorExchangeRecord ColorExchange;
bool SettingOpen = false;

}  // namespace kwemo
