#include "app/startup.h"
#include "screens/main_window.h"
#include "screens/results_window.h"
#include "ui/window_table.h"

namespace tavrel {

const std::vector<HandlerEntry>& ProgramHandlers() {
  namespace name = handler_name;
  static const std::vector<HandlerEntry> handlers = {
      {name::MainWindowCreated, &MainWindowCreated},
      {name::StartButtonClicked, &StartButtonClicked},
      {name::ResultsWindowCreated, &ResultsWindowCreated},
      {name::ResultsWindowFirstActivated, &ResultsWindowFirstActivated},
      {name::ResultListClicked, &ResultListClicked},
  };
  return handlers;
}

}  // namespace tavrel
