// The one file chooser of the program, shared by the servo-file and archive commands: an
// open or save dialog for one file extension, starting in a given folder.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// The chosen path, or "" when the user cancelled. sInitDir gets a trailing "/" when it lacks
// one; sFileName is proposed by the save dialog only.
std::string ShowFileDialog(bool bOpen, std::string_view sExt, std::string& sInitDir,
                           std::string_view sDesc, std::string_view sTitle,
                           std::string_view sFileName);

} // namespace morvane
