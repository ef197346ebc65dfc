#pragma once

#include <string>

// The controller's end of the serial line: a pseudo-terminal (optionally
// reached through a symbolic link) or a real serial device, raw, 9600 baud,
// eight data bits, no parity, two stop bits, non-blocking.
class CSerialLine {
public:
    CSerialLine() = default;
    CSerialLine(const CSerialLine&) = delete;
    CSerialLine& operator=(const CSerialLine&) = delete;
    ~CSerialLine() { Close(); }

    // Opens a pseudo-terminal; with strLink not empty, makes it a symbolic
    // link to the terminal (replacing an old link, never another file).
    bool OpenPseudoTerminal(const std::string& strLink, std::string& strError);
    bool OpenDevice(const std::string& strDevice, std::string& strError);
    // Closes the line and removes the link if it still points at it.
    void Close();

    bool IsOpen() const { return m_fd >= 0; }
    // Characters written and not yet taken by the other side (for a device:
    // not yet sent).
    int PendingOutput() const;
    int Fd() const { return m_fd; }
    // The terminal or device the line uses.
    const std::string& Path() const { return m_strPath; }

private:
    static bool MakeRaw(int fd, std::string& strError);
    bool MakeLink(const std::string& strLink, std::string& strError);

    int m_fd = -1;
    // The pseudo-terminal's other side stays open here, so the line survives
    // the PC closing and reopening its port.
    int m_fdKeep = -1;
    std::string m_strPath;
    std::string m_strLink;
};
