#include "view/CCommPortDlg.h"

namespace volmograph {

int CCommPortDlg::OnInitDialog() const {
  if (m_portIndex < 0 || m_portIndex > kLastRadio - kFirstRadio) {
    return 0;
  }
  return kFirstRadio + m_portIndex;
}

void CCommPortDlg::OnRadioClicked(int radioId) {
  if (radioId >= kFirstRadio && radioId <= kLastRadio) {
    m_portIndex = radioId - kFirstRadio;
  }
}

}  // namespace volmograph
