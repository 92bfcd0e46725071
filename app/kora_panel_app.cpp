#include "app/kora_panel_app.h"

#include <cstdio>
#include <filesystem>

#include "app/kora_panel_dlg.h"
#include "firmware/firmware_upgrade.h"
#include "firmware/ui/widget_input.h"
#include "sim/sim_options.h"

namespace vemo {

CKoraPanelApp::CKoraPanelApp(const PanelOptions& options)
    : startup_(LoadStartupValues(std::filesystem::current_path())) {
    std::vector<std::string> preferred;
    if (options.simulateModel) {
        simulatedDevice_ = std::make_unique<SimDevice>(SimulatedIdentity(*options.simulateModel));
        simulatedLine_ = std::make_unique<PtyDevice>(*simulatedDevice_, PtyDevice::Options{});
        if (simulatedLine_->Start()) {
            preferred.push_back(simulatedLine_->Path());
        } else {
            std::fprintf(stderr, "vemo-panel: no simulated device: %s\n",
                         simulatedLine_->Error().c_str());
        }
    }
    preferred.insert(preferred.end(), options.ports.begin(), options.ports.end());
    catalogue_ = std::make_unique<SystemPortCatalogue>(std::move(preferred));
    xmit_ = std::make_unique<CXmit>(port_, *catalogue_, clock_);
    setting_ = std::make_unique<CSetting>(
        PanelContext{startup_, *xmit_, flags_, beeper_, info_, prompter_});
}

int CKoraPanelApp::Run() {
    // The run is only called from the window's connection timer, once the window exists.
    QWidget* window = nullptr;
    auto runFirmwareUpgrade = [&] {
        FirmwareContext context{*xmit_,
                                info_,
                                beeper_,
                                prompter_,
                                flags_,
                                startup_.FirmwareDirectory,
                                startup_.UiLanguage};
        WidgetInput input(*window);
        return RunFirmwareUpgrade(context, input);
    };
    CKoraPanelDlg dialog(startup_, *xmit_, flags_, *setting_, info_, runFirmwareUpgrade);
    window = &dialog;
    dialog.exec();
    return 0;
}

}  // namespace vemo
