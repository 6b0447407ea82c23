#pragma once

// The fixed texts live with the drawn widgets that show some of them.
#include "look/fvinfo.h"
