#pragma once

#include "model/HelpFileModel.h"

namespace brelker {

// The desktop's own handler for a file's kind (xdg-open and its kin), as Qt
// reaches it. It cannot tell when the file is closed again.
class DesktopFileOpener : public FileOpener {
public:
    bool Open(const std::string& path) override;
};

}  // namespace brelker
