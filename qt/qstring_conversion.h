// Texts cross between the operations (UTF-8 byte strings) and the widgets
// (QString) only through these two.
#pragma once

#include <string>

#include <QString>

namespace mw {

inline QString ToQt(const std::string& text) { return QString::fromStdString(text); }
inline std::string FromQt(const QString& text) { return text.toStdString(); }

}  // namespace mw
