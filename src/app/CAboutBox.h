#pragma once

// The About box: dialog template 100, "About..." with the version line, a second line and
// OK, laid out in dialog units of its 8-point font, blue with yellow text like every
// dialog of the program.

#include <QDialog>

class QLabel;
class QPushButton;

namespace volmograph::shell {

inline constexpr const char* kVersionLine = "Volmograph Version 3.1B";
inline constexpr const char* kSecondLine = "Serial DMM recorder";

class CAboutBox : public QDialog {
 public:
  explicit CAboutBox(QWidget* parent = nullptr);

  QLabel* VersionLabel() const { return m_version; }
  QLabel* SecondLabel() const { return m_second; }
  QPushButton* OkButton() const { return m_ok; }

 private:
  QLabel* m_version;
  QLabel* m_second;
  QPushButton* m_ok;
};

// The framework's dialog colours: blue background, yellow text.
void ApplyDialogColours(QWidget& dialog);

}  // namespace volmograph::shell
