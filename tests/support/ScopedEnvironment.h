#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>
#include <string>

// Sets an environment variable, or removes it (nullopt), for as long as it
// lives, and puts back what was there before.
class CScopedEnvironment {
public:
    CScopedEnvironment(const char* szName, const std::optional<std::string>& strValue)
        : m_szName(szName), m_bWasSet(qEnvironmentVariableIsSet(szName)),
          m_abBefore(qgetenv(szName)) {
        if (strValue)
            qputenv(szName, QByteArray::fromStdString(*strValue));
        else
            qunsetenv(szName);
    }
    ~CScopedEnvironment() {
        if (m_bWasSet)
            qputenv(m_szName, m_abBefore);
        else
            qunsetenv(m_szName);
    }
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

private:
    const char* m_szName;
    bool m_bWasSet;
    QByteArray m_abBefore;
};
