// The edge between the program's Windows-1252 text and the widgets' QString.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "common/CodePage.h"

namespace morvane {

inline QString ToQt(std::string_view s) {
    return QString::fromStdString(Cp1252ToUtf8(s));
}
inline std::string FromQt(const QString& s) {
    return Utf8ToCp1252(s.toStdString());
}

} // namespace morvane
