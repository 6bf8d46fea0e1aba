#include "model/HeadlessView.h"

#include "model/UnattendedDialogs.h"
#include "model/WindowModel.h"

namespace brelker {

ViewParts ViewParts::PlaceOnly(PlaceView& place) {
    static BlankView blank;
    return ViewParts(blank, blank, blank, blank, place, blank);
}

int RunSwitchesWithoutWindow(const std::vector<std::string>& arguments, Platform& platform,
                             SettingsStore& store, std::ostream& errors) {
    HeadlessView view;
    UnattendedDialogs dialogs(errors);
    WindowModel model(platform, store, dialogs, ViewParts::PlaceOnly(view));
    model.Start(arguments);
    return model.ExitCode();
}

}  // namespace brelker
