#include "app/Startup.h"

#include "app/ConfExtAx.h"
#include "app/frmSplash.h"
#include "log/CLSLog.h"

namespace morvane {

void Main(ConfExtAx& window) {
    window.Form_Load();
    window.ShowGeneralTab();
    ShowSafetyScreen(window);
    g_oLog().LogFile();
}

bool ShowSafetyScreen(ConfExtAx& window) {
    window.EnableMainControls(false);
    frmSplash splash(&window);
    splash.Show_Safety();
    window.EnableMainControls(true);
    return true;
}

} // namespace morvane
