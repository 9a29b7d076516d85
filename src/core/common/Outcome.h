#pragma once

// Transitional name: code still spelling the old result type gets Status.
#include "core/common/Result.h"

using Outcome = Result<void>;
