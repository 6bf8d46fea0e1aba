#include "model/HeadlessView.h"

#include "model/UnattendedDialogs.h"
#include "model/WindowModel.h"

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
