#pragma once

// Subcommands of volmograph-cli. Each takes the arguments after its own name and returns
// the process exit status.

namespace volmograph::cli {

int RunDecode(int argc, char** argv);
int RunDemo(int argc, char** argv);
int RunExport(int argc, char** argv);
int RunPorts(int argc, char** argv);
int RunPrint(int argc, char** argv);
int RunRecord(int argc, char** argv);
int RunRender(int argc, char** argv);
int RunReplay(int argc, char** argv);

}  // namespace volmograph::cli
