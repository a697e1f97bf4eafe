#include "screens/main_window.h"

#include "app/tables.h"
#include "screens/server_extraction.h"
#include "text/text.h"
#include "ui/framework.h"

namespace tavrel {

void MainWindowCreated() {}

void StartButtonClicked() {
  {
    PropertyValue wait = ReadProperty(MainWindow, 编辑框2, property::Content, -1);
    maxWaitMs = TextToInt(wait.text.c_str());
  }
  {
    // One read serves the whole pass: nothing is processed until the
    // results window is loaded, so every read would give the same text.
    PropertyValue list = ReadProperty(MainWindow, 编辑框1, property::Content, -1);
    ExtractServerList(list.text.c_str());
  }
  LoadWindow(ResultsWindow, MainWindow, true);  // the result is not examined
}

}  // namespace tavrel
