#include "protect/RegisterLocation.h"

namespace quorvane {

// A Windows copy is used unpacked into a folder of the user's own: its register stays beside it.
InstallFacts installFactsFor(const std::string&) { return {}; }

}  // namespace quorvane
