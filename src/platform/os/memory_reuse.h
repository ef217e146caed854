#pragma once

namespace platform {

// Keeps freed large blocks (an aircraft's flight record is about 2 MB) in the process
// for the next allocation instead of handing them back to the system: a server that
// flies one flight after another then neither maps nor zero-faults fresh pages for
// each. Call once at start.
void KeepLargeAllocationsForReuse();

}  // namespace platform
