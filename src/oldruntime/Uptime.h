#pragma once

#include <QString>
#include <cstdint>

namespace kwemo {

// Milliseconds since the system started, suspended time included. A 64-bit count: it does not
// wrap after 49.7 days as the old 32-bit tick count did.
std::int64_t systemUptimeMs();

// The uptime message, e.g. "[Win] 05h07m09s": whole hours (two digits at least, as many as
// needed), minutes and seconds. A negative count is taken as 0.
QString UptimeText(std::int64_t ms);

}  // namespace kwemo
