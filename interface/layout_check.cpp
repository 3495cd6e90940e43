// Compiled in every build so that a layout slip in the interface declarations
// fails the build of each target toolchain, whether or not other code
// includes the checks yet.
#include "interface/layout_checks.h"
