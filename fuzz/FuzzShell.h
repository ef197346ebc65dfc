#pragma once

#include "model/ShellServices.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

// Shell services that answer every box with OK and show nothing.
class CFuzzShell : public CShellServices {
public:
    EBoxAnswer MessageBox(const std::string&, EBoxButtons, EBoxIcon) override {
        return EBoxAnswer::Ok;
    }
    bool AskFileName(const CFileDialogRequest&, std::string&) override { return false; }
    void SetStatusText(const std::string&) override {}
    void UpdateTitle() override {}
    void Trace(const std::string&) override {}
    void SendChannelState(short, short, short, int) override {}
};

// A private folder for the files a target reads, made once per process and
// removed at exit; in memory where the system offers it. Its name carries
// the process number, "corvel-fuzz-PID-XXXXXX", so the fuzz script can
// remove the folder of a run that crashed.
inline const std::string& FuzzFolder() {
    static std::string strMemory = "/dev/shm/corvel-fuzz-" + std::to_string(getpid()) + "-XXXXXX";
    static std::string strTemp = "/tmp/corvel-fuzz-" + std::to_string(getpid()) + "-XXXXXX";
    static const char* szFolder = nullptr;
    static const std::string strFolder = [] {
        szFolder = mkdtemp(strMemory.data());
        if (!szFolder)
            szFolder = mkdtemp(strTemp.data());
        if (!szFolder)
            std::abort();
        std::atexit([] {
            std::error_code error;
            std::filesystem::remove_all(szFolder, error);
        });
        return std::string(szFolder);
    }();
    return strFolder;
}

// Writes the input as the named file in the fuzz folder. The old file is
// removed first: truncating it would make some file systems flush it.
inline void WriteFuzzFile(const std::string& strName, const uint8_t* pData, size_t nSize) {
    std::string strPath = FuzzFolder() + "/" + strName;
    std::remove(strPath.c_str());
    FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (!pFile)
        std::abort();
    if (nSize > 0 && std::fwrite(pData, 1, nSize, pFile) != nSize)
        std::abort();
    std::fclose(pFile);
}
