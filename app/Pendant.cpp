#include "app/Pendant.h"

#include <Qt>

#include "controller/ControllerConnection.h"
#include "log/CLSLog.h"

namespace morvane {

int PendantKeyCode(int nQtKey) {
    if (nQtKey >= Qt::Key_F2 && nQtKey <= Qt::Key_F22) {
        return 113 + (nQtKey - Qt::Key_F2);
    }
    return 0;
}

void ActivatePendant() {
    g_oLog().Log("Teach pendant keys activated", true);
    SetPendantDeactivation([] { g_oLog().Log("Teach pendant keys deactivated", true); });
}

} // namespace morvane
