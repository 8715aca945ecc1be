// How a value-map key names its line in $MACHINE.DAT: the file indexes some external-axis arrays
// 1..6 or by name, and keeps the per-axis flags of three arrays in one bit string.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// The whole-number value of the text between "[" and "]"; 0 when there is none.
int KeyIndex(std::string_view sKey);
// The key up to its "[", or the whole key.
std::string ArrayNameOf(std::string_view sKey);
// $EX_AX_ASYNC, $ASYNC_T1_FAST and $ASYNC_EX_AX_DECOUPLE: one bit string for all external axes.
bool IsBitArrayKey(std::string_view sKey);
// $SERVOFILE[8] -> $SERVOFILE8[], $CURR_COM_EX[9] -> $CURR_COM_EX[3] (also $INC_EXTAX),
// a bit-array element -> the array name; any other key stays as it is.
std::string MadaFileKey(std::string_view sKey);

} // namespace morvane
