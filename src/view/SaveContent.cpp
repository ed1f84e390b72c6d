#include "view/SaveContent.h"

#include <span>

#include "files/GraphFile.h"
#include "files/TextDataFile.h"
#include "view/CKeloView.h"

namespace volmograph {

std::string BuildSaveContent(const CKeloView& view) {
  if (view.m_displayMode == 2) {
    // The capture as received; m_waveform may carry the display's marker dots.
    return WriteGraphFile(std::span(view.m_meter.m_capture).first<kGraphImageSize>());
  }
  std::string bytes;
  const int count = view.m_sampleList.Count();
  bytes.reserve(static_cast<std::size_t>(count) * kTextRecordSize);
  for (int i = 0; i < count; ++i) {
    AppendTextDataRecord(bytes, view.m_sampleList.Line(i));
  }
  return bytes;
}

}  // namespace volmograph
