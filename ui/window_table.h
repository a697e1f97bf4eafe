// The program's two windows as definition data.
#pragma once
#include <vector>

#include "ui/definitions.h"

namespace tavrel {

extern const char* const kDefaultServerList;

// Names under which the definitions bind their handlers.
namespace handler_name {
constexpr const char* MainWindowCreated = "MainWindow.Created";
constexpr const char* StartButtonClicked = "按钮1.Clicked";
constexpr const char* ResultsWindowCreated = "ResultsWindow.Created";
constexpr const char* ResultsWindowFirstActivated = "ResultsWindow.FirstActivated";
constexpr const char* ResultListClicked = "超级列表框1.ListClicked";
}  // namespace handler_name

const std::vector<WindowRecord>& ProgramWindowTable();

}  // namespace tavrel
