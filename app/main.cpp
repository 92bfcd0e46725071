#include <QApplication>
#include <cstdio>

#include "app/kora_panel_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    vemo::PanelOptions options;
    std::string error;
    if (!vemo::ParsePanelOptions(args, options, error)) {
        std::fprintf(stderr, "vemo-panel: %s\n%s", error.c_str(), vemo::kPanelUsage);
        return 2;
    }
    if (options.help) {
        std::printf("%s", vemo::kPanelUsage);
        return 0;
    }
    vemo::CKoraPanelApp panel(options);
    return panel.Run();
}
