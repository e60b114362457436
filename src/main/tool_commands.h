// The companion tool's command groups. Each takes the arguments after its own name and
// returns the process exit status.
#pragma once

namespace vx::tool {

int LocCommand(int argc, char** argv);  // loc list | extract | pack

}  // namespace vx::tool
