#include "window/HeadlessView.h"

#include "window/UnattendedDialogs.h"
#include "window/WindowModel.h"

namespace brelker {

int RunSwitchesWithoutWindow(const std::vector<std::string>& arguments, Platform& platform,
                             const SettingsStore& store, std::ostream& errors) {
    HeadlessView view;
    UnattendedDialogs dialogs(errors);
    WindowModel model(platform, store, dialogs, view);
    model.Start(arguments);
    return model.ExitCode();
}

}  // namespace brelker
