// Start-up and shutdown of the program.
#pragma once
#include <cstdint>
#include <vector>

#include "ui/definitions.h"

namespace tavrel {

// Runs the program: run-time initialisation, tables, the main window and
// the message loop; returns 0 after the teardown.
int32_t StartProgram();

// The same with other definitions or handlers, for tests of the fatal
// paths.
int32_t StartProgramWith(const std::vector<WindowRecord>& table, const std::vector<HandlerEntry>& handlers);

// The names by which the definitions bind the screens' handlers.
const std::vector<HandlerEntry>& ProgramHandlers();

}  // namespace tavrel
