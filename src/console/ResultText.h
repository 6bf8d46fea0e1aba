#pragma once

#include <string>

namespace brelker {

// The message for a split or join that did not succeed, from the code the
// engine returned; failureSlot is the text for a piece that could not be
// created (a split) or read (a join), which the piece's number follows.
std::string TransferFailureText(int code, int failureSlot);

}  // namespace brelker
