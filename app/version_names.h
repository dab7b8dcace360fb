// Folder names read as versions ("11.1.0.10132"), so that the newest
// version folder is found whatever order the names are listed in.
#pragma once

#include "runtime/text/values.h"

namespace pelmora {

// Dot-separated numbers compared as numbers, a missing number counting as
// 0 ("12.1" equals "12.1.0"). A name that is not such a version ranks
// below every version, and equal to any other such name. Negative, zero or
// positive as `a` ranks below, equal to or above `b`.
int CompareVersionNames(TextView a, TextView b);

}  // namespace pelmora
