// Turns the INI variable lists into the keys of the value map: array elements per axis, the
// jerk limits of the external axes, and kinematic variables per system.
#pragma once

#include "common/KeyedCollection.h"

namespace morvane {

// Each entry upper-cased, trimmed and cut before ";". For 1..1 the entry itself; otherwise
// NAME[i] for i = nFirst..nLast, and $JERK_MA.AX.E<i-6> for the entry $JERK_MA.
KeyedCollection ExpandIndexedNames(const KeyedCollection& list, int nFirst, int nLast);
// "$EX_KIN" unchanged; an entry with "#" once per system i = nFirst..nLast with i in place of
// the first "#" ("[]" appended for $ET#_NAME); entries without "#" are left out.
KeyedCollection ExpandKinematicNames(const KeyedCollection& list, int nFirst, int nLast);

} // namespace morvane
