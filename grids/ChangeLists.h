// Pending changes of the machine data and the servo file, and the current value of a key:
// the pending change when there is one, else the value read from the file.
#pragma once

#include <string>
#include <string_view>

#include "common/KeyedCollection.h"

namespace morvane {

extern KeyedCollection g_colMadaChanges;  // value-map key -> new value, upper case
extern KeyedCollection g_colSFChanges;    // servo parameter or "CLine"<row> -> new value
extern KeyedCollection g_colSFNeededVals; // inputs of the servo-file computation
extern KeyedCollection g_colSFValues;     // values of the servo file last read or saved

// Upper-cases sValue (the caller's variable too), then records it under sKey, or withdraws
// the pending change when it equals the value read from the file. A key missing from the
// value map raises RunTimeError.
void PutMadaChange(std::string_view sKey, std::string& sValue);
// The pending value of the key, else its value-map item, in upper case. RunTimeError when
// neither holds the key.
std::string GetMadaValue(std::string_view sKey);

// Records the servo-file change, or withdraws it when the value equals the file's exactly.
void PutSFChange(std::string_view sKey, std::string_view sValue);
// The pending value (bChanged = true), else the file's value, else ""; upper case.
std::string GetSFValue(std::string_view sKey, bool& bChanged);
// The entered computation input in upper case, or "".
std::string GetSFNeededVal(std::string_view sKey);

} // namespace morvane
