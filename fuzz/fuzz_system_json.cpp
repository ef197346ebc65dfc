#include "FuzzShell.h"

#include "model/System.h"
#include "model/SystemJsonReader.h"
#include "model/SystemJsonWriter.h"

#include <cstdint>
#include <string>

// Reads the input as the text form of a system. Whatever it accepts must
// come back from its own text unchanged, so a reader and writer that
// disagree on any value stop the run.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    static CFuzzShell shell;
    static CSystem sys(shell, CSystem::CScratch{}, FuzzFolder());
    static CSystem again(shell, CSystem::CScratch{}, FuzzFolder());
    std::string strError;
    if (!CSystemJsonReader::Read(std::string(reinterpret_cast<const char*>(pData), nSize), sys,
                                 strError))
        return 0;
    const std::string strText = CSystemJsonWriter::Write(sys);
    if (!CSystemJsonReader::Read(strText, again, strError) ||
        CSystemJsonWriter::Write(again) != strText)
        __builtin_trap();
    return 0;
}
