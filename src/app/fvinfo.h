#pragma once

// The fixed texts live in the lowest library, where the report reads them too.
#include "platform/fvinfo.h"
