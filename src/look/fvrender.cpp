#include "fvrender.h"

bool FVRender::snapshotMode = false;
