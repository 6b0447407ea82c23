#pragma once

// Process-wide rendering switches.
namespace FVRender {
// Set by the snapshot renderer before it draws the screens; the scroll
// containers then lay their content out flat at full height. Never reset.
extern bool snapshotMode;
}
