#include "model/DiskCountModel.h"

#include <algorithm>

namespace brelker {

void DiskCountModel::SetNumber(int number) {
    number_ = std::clamp(number, kFewestDisks, kMostDisks);
}

}  // namespace brelker
