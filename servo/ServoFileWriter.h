// The text of a servo file built from the servo-file data, and its writing to disk in a way
// that keeps the old file whole when anything fails.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// The file text of g_colSFViewList with the current values (pending, else the file's), upper
// case: the framed comment block, ";", the parameter lines and a closing ";", joined by CR LF
// without a final line end. False and "" when it cannot be built.
bool BuildServoFileText(std::string& sText);

// Replaces the file by exactly these bytes. A read-only or missing folder, a read-only file or
// a failed write shows the system's reason; the old file then stays as it was.
bool WriteTextToFileBinary(std::string_view sPath, std::string_view sText);

} // namespace morvane
