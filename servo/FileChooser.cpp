#include "servo/FileChooser.h"

#include "common/UiPort.h"

namespace morvane {

std::string ShowFileDialog(bool bOpen, std::string_view sExt, std::string& sInitDir,
                           std::string_view sDesc, std::string_view sTitle,
                           std::string_view sFileName) {
    if (!sInitDir.ends_with('/')) {
        sInitDir += '/';
    }
    FileDialogRequest request;
    request.bSave = !bOpen;
    request.sFilter = std::string(sDesc) + " (*." + std::string(sExt) + ")|*." + std::string(sExt);
    request.sFolder = sInitDir;
    request.sTitle = sTitle;
    if (!bOpen) {
        request.sFileName = sFileName;
    }
    return Ui().FileDialog(request);
}

} // namespace morvane
