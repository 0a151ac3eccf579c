#pragma once
#include <cstdint>

// The default printer's margins as the drawing window places a printed picture by them.
namespace Drucker {

// The unprintable margins of the default printer's sheet in whole millimetres, each one
// rounded up by a millimetre so nothing is cut off. Without a printer the values stay as
// they are and nothing is reported.
void GetPrinterMargins(int16_t& left, int16_t& right, int16_t& top, int16_t& bottom);

} // namespace Drucker
