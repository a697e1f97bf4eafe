// Handlers of ResultsWindow: the columns, the probing pass and the copy.
#pragma once

namespace tavrel {

void ResultsWindowCreated();
void ResultsWindowFirstActivated();
void ResultListClicked();

}  // namespace tavrel
