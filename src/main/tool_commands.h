// The companion tool's command groups. Each takes the arguments after its own name and
// returns the process exit status.
#pragma once

namespace vx::tool {

int LocCommand(int argc, char** argv);     // loc list | extract | pack
int SealCommand(int argc, char** argv);    // seal FILE
int UnsealCommand(int argc, char** argv);  // unseal FILE
int StageCommand(int argc, char** argv);   // stage show N | stage check

}  // namespace vx::tool
