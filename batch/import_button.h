// The conversion screen's hidden-mode "Import" button.
#pragma once

namespace tw::screen {
class ScreenHost;
}

namespace tw::batch {

// Connects the button to the batch import; a press while a run is going on
// (events are processed between records) is ignored.
void attachImport(screen::ScreenHost &screen);

} // namespace tw::batch
