#pragma once

#include <QString>

#include <string>

// The one pair of conversions between model text (Windows-1252) and Qt.
QString ToQString(const std::string& strModelText);
std::string FromQString(const QString& strText);

// Native paths (UTF-8) to and from Qt.
QString PathToQString(const std::string& strPath);
std::string PathFromQString(const QString& strPath);
