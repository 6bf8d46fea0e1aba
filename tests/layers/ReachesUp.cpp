// Built only by layers_test, which expects it not to compile.
#include "transfer/Job.h"
