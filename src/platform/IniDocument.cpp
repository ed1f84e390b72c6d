#include "platform/IniDocument.h"

#include "platform/IntegerText.h"

namespace volmograph {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) {
      return false;
    }
  }
  return true;
}

bool HasControlCharacter(std::string_view text) {
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t') || u == 0x7F) {
      return true;
    }
  }
  return false;
}

// Binary junk or a runaway line: no user wrote it as a setting.
bool IsDamaged(std::string_view text) {
  return text.size() > IniDocument::kMaxLineLength || HasControlCharacter(text);
}

}  // namespace

struct IniDocument::Line {
  enum class Kind { Other, Section, Entry };
  Kind kind = Kind::Other;
  std::string_view name;   // section name or key, trimmed
  std::string_view value;  // entry value, blanks kept
};

IniDocument::IniDocument(std::string_view text) {
  // Lines are kept as they are, a CR before the LF included, so that a write leaves every
  // other line byte for byte as it was (a stray second CR must not vanish and unhide a line).
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    m_lines.emplace_back(text.substr(0, end));
    if (m_lines.size() == 1 && m_lines.front().ends_with('\r')) {
      m_newline = "\r\n";
    }
    if (end == std::string_view::npos) {
      // A last line without a line end gets the file's when the text is written.
      if (!m_lines.back().ends_with('\r')) {
        m_lines.back() = NewLine(std::move(m_lines.back()));
      }
      break;
    }
    text.remove_prefix(end + 1);
  }
}

std::string_view IniDocument::Content(std::size_t index) const {
  std::string_view text = m_lines[index];
  if (text.ends_with('\r')) {
    text.remove_suffix(1);
  }
  return text;
}

std::string IniDocument::NewLine(std::string text) const {
  return m_newline == "\r\n" ? text + '\r' : text;
}

std::string_view IniDocument::LineText(std::size_t index) const {
  std::string_view text = Content(index);
  if (index == 0 && text.starts_with(kByteOrderMark)) {
    text.remove_prefix(kByteOrderMark.size());
  }
  return text;
}

IniDocument::Line IniDocument::Classify(std::size_t index) const {
  const std::string_view text = LineText(index);
  Line line;
  if (IsDamaged(text)) {
    return line;
  }
  const std::string_view body = Trim(text);
  if (body.starts_with(';')) {
    return line;
  }
  if (body.starts_with('[')) {
    const std::size_t close = body.find(']');
    if (close != std::string_view::npos) {
      line.kind = Line::Kind::Section;
      line.name = Trim(body.substr(1, close - 1));
    }
    return line;
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos || Trim(text.substr(0, equals)).empty()) {
    return line;
  }
  line.kind = Line::Kind::Entry;
  line.name = Trim(text.substr(0, equals));
  line.value = text.substr(equals + 1);
  return line;
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    const Line line = Classify(i);
    if (line.kind == Line::Kind::Section && SameName(line.name, section)) {
      return i;
    }
  }
  return std::string::npos;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < m_lines.size() && Classify(i).kind != Line::Kind::Section) {
    ++i;
  }
  return i;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == std::string::npos) {
    return std::nullopt;
  }
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const Line line = Classify(i);
    if (line.kind == Line::Kind::Entry && SameName(line.name, key)) {
      return std::string(line.value);
    }
  }
  return std::nullopt;
}

int IniDocument::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
  const std::optional<std::string> text = Find(section, key);
  if (!text) {
    return defaultValue;
  }
  return ParseInteger(*text).value_or(defaultValue);
}

std::string IniDocument::GetString(std::string_view section, std::string_view key,
                                   const std::string& defaultValue) const {
  return Find(section, key).value_or(defaultValue);
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  // Refuse what would not read back: a line break would split the entry, a control
  // character hides the line, '=' in a key or ']' in a section name cuts the name short.
  const std::string_view sectionName = Trim(section);
  const std::string_view keyName = Trim(key);
  if (sectionName.empty() || keyName.empty() || HasControlCharacter(sectionName) ||
      HasControlCharacter(keyName) || HasControlCharacter(value) ||
      sectionName.find(']') != std::string_view::npos ||
      keyName.find('=') != std::string_view::npos || keyName.starts_with('[') ||
      keyName.starts_with(';') || keyName.size() + value.size() + 1 > kMaxLineLength ||
      sectionName.size() + 2 > kMaxLineLength) {
    return false;
  }
  std::size_t header = FindSection(sectionName);
  if (header == std::string::npos) {
    if (!m_lines.empty() && !Trim(Content(m_lines.size() - 1)).empty()) {
      m_lines.push_back(NewLine({}));
    }
    m_lines.push_back(NewLine("[" + std::string(sectionName) + "]"));
    m_lines.push_back(NewLine(std::string(keyName) + "=" + std::string(value)));
    return true;
  }
  const std::size_t end = SectionEnd(header);
  std::size_t insertAt = header + 1;
  for (std::size_t i = header + 1; i < end; ++i) {
    const Line line = Classify(i);
    if (line.kind != Line::Kind::Entry) {
      continue;
    }
    if (SameName(line.name, keyName)) {
      // Keep the user's spelling and spacing of the key; replace only the value.
      std::string& text = m_lines[i];
      const std::size_t valueStart = text.find('=') + 1;
      if (valueStart + value.size() > kMaxLineLength) {
        return false;
      }
      text.replace(valueStart, Content(i).size() - valueStart, value);
      return true;
    }
    insertAt = i + 1;
  }
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                 NewLine(std::string(keyName) + "=" + std::string(value)));
  return true;
}

std::string IniDocument::Text() const {
  std::string text;
  for (const std::string& line : m_lines) {
    text += line;
    text += '\n';
  }
  return text;
}

std::vector<ProfileEntry> IniDocument::Entries() const {
  std::vector<ProfileEntry> entries;
  std::string_view section;
  bool inSection = false;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    const Line line = Classify(i);
    if (line.kind == Line::Kind::Section) {
      section = line.name;
      inSection = true;
    } else if (line.kind == Line::Kind::Entry && inSection) {
      entries.push_back({std::string(section), std::string(line.name), std::string(line.value)});
    }
  }
  return entries;
}

std::vector<std::size_t> IniDocument::DamagedLines() const {
  std::vector<std::size_t> numbers;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (IsDamaged(LineText(i))) {
      numbers.push_back(i + 1);
    }
  }
  return numbers;
}

}  // namespace volmograph
