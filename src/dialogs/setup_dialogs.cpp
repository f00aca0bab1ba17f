#include "dialogs/setup_dialogs.h"

#include "dialogs/frm_ausgabedatei_monitoring.h"
#include "dialogs/frm_ausgabedatei_setup.h"
#include "dialogs/frm_k_field.h"
#include "dialogs/frm_qdas_field_description.h"

namespace kelmar::dialogs {

DialogBase* createSetupDialog(const std::string& menuName, shell::KelmarProcess& process,
                              shell::MainWindowView& mainWindow) {
    if (menuName == "menuSetup") return new frm_Ausgabedatei_Setup(process, mainWindow);
    if (menuName == "menuMonitor") return new frm_Ausgabedatei_Monitoring(process, mainWindow.widget());
    if (menuName == "menuQdasSettings") return new frmQdasFieldDescription(process, mainWindow.widget());
    if (menuName == "menuQdasKeySetup") return new frmKField(process, mainWindow.widget());
    return nullptr;
}

}  // namespace kelmar::dialogs
