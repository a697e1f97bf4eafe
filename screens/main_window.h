// Handlers of MainWindow and its start button.
#pragma once

namespace tavrel {

void MainWindowCreated();
// Takes the wait time and the 107 server slots from the two boxes, then
// opens ResultsWindow as a dialog in front of MainWindow.
void StartButtonClicked();

}  // namespace tavrel
