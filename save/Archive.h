// The external-axis archive: export of the current external-axis values into a small ".dat"
// text, and import of such a text from a controller of the same type as pending changes.
#pragma once

#include <string>

namespace morvane {

// True when the archive file was written.
bool ExportArchive();
// True when the archive was read and its values filed as pending changes. An archive of
// another controller type, without its version line or cut off before its end line imports
// nothing.
bool ImportArchive();
// The name under which a value-map key is archived, "" when it is not archived. A $JERK_MA key
// of an external axis also becomes the key its value is read under ($JERK_MA.AX.E1..E6).
std::string ArchiveName(std::string& sKey);

} // namespace morvane
