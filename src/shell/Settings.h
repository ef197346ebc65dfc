#pragma once

#include <cstdint>
#include <string>

class CArchive;
class CShellServices;

// The settings record "PARAM1A.DAT" in the launch directory: the serial port
// number of the controller link and a few values kept for other versions.
// Read at construction; written only when asked (Save), so the program's
// exit sequence decides when and can still report a failure.
class CSettings {
public:
    static constexpr const char* kFileName = "PARAM1A.DAT";
    // The port numbers the port dialog accepts.
    static constexpr short kMinPort = 1;
    static constexpr short kMaxPort = 4;

    CSettings(const std::string& strLaunchDir, CShellServices& shell);
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    // An empty name means "PARAM1A.DAT". A missing file is created from the
    // defaults; a damaged or unreadable one is reported and the defaults
    // are used, and an unreadable one is left as it is.
    bool Load(const std::string& strName = {});
    bool Save(const std::string& strName = {});
    bool Serialize(CArchive& ar);
    void SetDefaults();

    short GetCommPort() const { return m_nCommPort; }
    void SetCommPort(short nPort) { m_nCommPort = nPort; }
    short GetReserved1() const { return m_nReserved1; }
    short GetReserved2() const { return m_nReserved2; }
    const std::string& GetReservedText1() const { return m_strReserved1; }
    const std::string& GetReservedText2() const { return m_strReserved2; }

private:
    bool IsPlausible() const;

    std::string m_strLaunchDir;
    CShellServices& m_shell;

    int16_t m_nCommPort = 1;
    int16_t m_nReserved1 = 0;
    int16_t m_nReserved2 = 0;
    std::string m_strReserved1;
    std::string m_strReserved2;
};
