#pragma once

#include <string>

namespace volmograph {

class CKeloView;

// The bytes Save writes for the view as it stands: a graph file of the meter's capture
// buffer while the waveform picture is shown (display mode 2), otherwise a text data file
// of the sample list.
std::string BuildSaveContent(const CKeloView& view);

}  // namespace volmograph
