// Test procedures that run in a child process of the test executable, for
// behaviour that ends the process. A test starts its own executable with
// --child=NAME; main() then runs the procedure instead of the tests.
#pragma once
#include <map>
#include <string>

namespace tavrel::testing {

using ChildProcedure = int (*)();
std::map<std::string, ChildProcedure>& ChildProcedures();

struct ChildRegistration {
  ChildRegistration(const char* name, ChildProcedure procedure) { ChildProcedures()[name] = procedure; }
};

}  // namespace tavrel::testing

#define TAVREL_CHILD(name)                                                         \
  static int ChildProcedure_##name();                                             \
  static ::tavrel::testing::ChildRegistration childRegistration_##name(#name,     \
                                                                      ChildProcedure_##name); \
  static int ChildProcedure_##name()
