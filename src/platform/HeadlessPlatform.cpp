#include "platform/HeadlessPlatform.h"

namespace volmograph {

Platform HeadlessPlatform::Bundle() {
  return Platform{m_form,    m_list,  m_statusBar, m_profile, m_prompter,
                  m_dialogs, m_timer, m_clock,     m_serial};
}

}  // namespace volmograph
