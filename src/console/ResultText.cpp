#include "console/ResultText.h"

#include "engine/Engine.h"
#include "text/TextTable.h"

namespace brelker {

std::string TransferFailureText(int code, int failureSlot) {
    if (code == kSizesDiffer) {
        return Text(94);
    }
    if (code == kInterrupted) {
        return Text(269);
    }
    if (code < 0) {
        return Text(-code);
    }
    return Text(failureSlot) + std::to_string(code);
}

}  // namespace brelker
