#pragma once

namespace dfe::appserver {

// dfe-server init | serve | call: see Usage() in commands.cpp. Returns the process exit code.
int RunServerCommand(int argc, char** argv);

} // namespace dfe::appserver
