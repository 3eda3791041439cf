#pragma once
// Text between the framework (UTF-8 std::string) and Qt.

#include "platform/framework/types.h"

#include <QString>

inline QString ToQt(const CString& s) {
    return QString::fromStdString(s);
}
inline CString FromQt(const QString& s) {
    return s.toStdString();
}
