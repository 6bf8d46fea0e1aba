#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace brelker {

// Pieces numbered above count belong to an earlier, longer series of the
// same stem; left there, a later join would take them in. Only regular files
// go, and none that keep says must stay (the file being split). The pieces
// removed.
std::vector<std::string> RemoveStalePieces(Platform& platform, const std::string& stem,
                                           const std::string& suffix, std::int64_t count,
                                           const std::function<bool(const std::string&)>& keep);

// What a dead run left beside target: a join's temporary, an append record's
// or a list's. Only the temporaries of this target are looked at, by their
// exact form, and one goes only when no live run holds it.
void RemoveLeftTemporaries(Platform& platform, const std::string& target);

}  // namespace brelker
