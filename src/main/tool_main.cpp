// vexorbia-tool: the companion for stage authors and modders.
#include <cstdio>
#include <cstring>

#include "main/tool_commands.h"
#include "platform/headless/headless_dialogs.h"
#include "platform/platform.h"

namespace {

struct Command {
  const char* name;
  int (*run)(int argc, char** argv);
  const char* usage;
};

const Command kCommands[] = {
    {"loc", vx::tool::LocCommand,
     "loc list ARCHIVE | loc extract ARCHIVE MEMBER DEST | loc pack ARCHIVE DIR [DIR...]"},
    {"seal", vx::tool::SealCommand, "seal FILE"},
    {"unseal", vx::tool::UnsealCommand, "unseal FILE"},
    {"stage", vx::tool::StageCommand, "stage show N | stage check"},
};

int Usage() {
  std::fprintf(stderr, "usage: vexorbia-tool COMMAND ...\n");
  for (const Command& c : kCommands) std::fprintf(stderr, "  vexorbia-tool %s\n", c.usage);
  return 64;
}

}  // namespace

int main(int argc, char** argv) {
  // Messages the game's routines would show in a box go to stderr here.
  static vx::platform::HeadlessDialogs dialogs;
  dialogs.echoToStderr = true;
  vx::platform::backend.dialogs = &dialogs;
  if (argc < 2) return Usage();
  for (const Command& c : kCommands)
    if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 2, argv + 2);
  return Usage();
}
