#pragma once

#include <QDialog>

namespace vemo {

class CXmit;
struct StartupValues;

// The main window: the settings panel above the status panel, and the supervisor that finds
// the device and watches the link.
class CKoraPanelDlg : public QDialog {
    Q_OBJECT

public:
    CKoraPanelDlg(const StartupValues& startup, CXmit& xmit, QWidget* parent = nullptr);

private:
    const StartupValues& startup_;
    CXmit& xmit_;
};

}  // namespace vemo
