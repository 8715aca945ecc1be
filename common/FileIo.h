// Whole-file reading and safe replacement of files: a replacement is written to a temporary
// file in the same folder, flushed and renamed over the old one, so a failure keeps the old file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/KeyedCollection.h"

namespace morvane {

// All bytes of the file (Windows-1252 text held as it is). False when it cannot be read.
bool ReadWholeFile(std::string_view sPath, std::string& sText);
// One item per text line, without line ends (CR LF or LF); nothing when the file is missing
// or empty.
std::optional<KeyedCollection> ReadFileLines(std::string_view sPath);
// Replaces the file by sText followed by CR LF. On failure an error box with the reason
// through the Ui port, and False; the old file is then unchanged.
bool WriteWholeFile(std::string_view sPath, std::string_view sText);
// Replaces the file by exactly these bytes, atomically. On failure False and the reason in
// *psError (when given); no box.
bool ReplaceFileAtomically(std::string_view sPath, std::string_view sBytes,
                           std::string* psError = nullptr);
bool FileExists(std::string_view sPath);
// A file without write permission for its owner counts as read-only.
bool IsReadOnly(std::string_view sPath);

} // namespace morvane
