#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace brelker {

// The ledger of the files a run created, by identity, so that a run that
// fails removes exactly these and nothing another run or the user put under
// their names since.
class OwnedFiles {
public:
    explicit OwnedFiles(Platform& platform) : platform_(platform) {}

    // Notes a file the run has just created (or replaced) at path; a file
    // noted before under the same path is forgotten.
    void Add(const std::string& path);
    // Notes the file at path as closed: from now on it must also keep its
    // size and time to be the run's.
    void Seal(const std::string& path);
    // Whether a file at path was noted.
    bool Noted(const std::string& path) const;
    // The identity the file at path had when it was noted.
    std::optional<std::string> IdentityOf(const std::string& path) const;
    // Removes the noted files that are still the run's; the paths removed,
    // apart from except, which goes untold.
    std::vector<std::string> RemoveAll(const std::string& except = {});

private:
    struct Written {
        std::string path;
        std::optional<std::string> identity;
        std::optional<std::string> stamp;  // once closed: identity, size and time
    };

    Platform& platform_;
    std::vector<Written> written_;
};

}  // namespace brelker
