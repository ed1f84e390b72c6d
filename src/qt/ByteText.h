#pragma once

// The core's single-byte texts at the window's edge: shown in code page 1253 under a
// Greek-character-set font and in 1252 otherwise, and typed text turned back into bytes.

#include <QString>
#include <string>

#include "platform/Graphics.h"

namespace volmograph {

QString DecodeBytes(const std::string& bytes, CharSet charSet = CharSet::Ansi);

// Typed text as code page 1252 bytes; a character the page lacks becomes '?', which no
// field that reads numbers accepts.
std::string EncodeCp1252(const QString& text);

}  // namespace volmograph
