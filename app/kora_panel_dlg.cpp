#include "app/kora_panel_dlg.h"

#include "app/startup_values.h"
#include "link/cxmit.h"

namespace vemo {

CKoraPanelDlg::CKoraPanelDlg(const StartupValues& startup, CXmit& xmit, QWidget* parent)
    : QDialog(parent), startup_(startup), xmit_(xmit) {
    setWindowTitle(QStringLiteral("VEMO Software %1.%2 - NORVAL TECH").arg(2).arg(2));
}

}  // namespace vemo
