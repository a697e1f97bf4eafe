#include <gtest/gtest.h>

#include <cstring>

#include "tests/child_process.h"

namespace tavrel::testing {

std::map<std::string, ChildProcedure>& ChildProcedures() {
  static std::map<std::string, ChildProcedure> procedures;
  return procedures;
}

}  // namespace tavrel::testing

int main(int argc, char** argv) {
  const char* prefix = "--child=";
  if (argc > 1 && std::strncmp(argv[1], prefix, std::strlen(prefix)) == 0) {
    auto& procedures = tavrel::testing::ChildProcedures();
    auto found = procedures.find(argv[1] + std::strlen(prefix));
    return found == procedures.end() ? 99 : found->second();
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
