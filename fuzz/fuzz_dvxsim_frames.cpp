// Text of any kind reaching the virtual controller: lines from the serial
// line go through the frame parser and the controller, typed lines through
// the console; the processor scans and the status reporter runs after each.
// Whatever the memory then holds must survive the memory file unchanged.

#include "BoolProcessor.h"
#include "Console.h"
#include "Controller.h"
#include "FrameParser.h"
#include "MemoryFile.h"
#include "StatusReporter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

namespace {

void ExpectSurvivesTheMemoryFile(const CControllerMemory& memory) {
    const std::string strFrames = CMemoryFile::Frames(memory);
    const auto pCopy = std::make_unique<CControllerMemory>();
    std::istringstream lines(strFrames);
    for (std::string strLine; std::getline(lines, strLine);) {
        if (!strLine.empty() && strLine[0] != '#' && !pCopy->Store(CFrameParser::Parse(strLine))) {
            std::abort();
        }
    }
    if (CMemoryFile::Frames(*pCopy) != strFrames) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const auto pMemory = std::make_unique<CControllerMemory>();
    CBoolProcessor processor;
    CController controller(*pMemory, processor);
    CConsole console(*pMemory, controller);
    CStatusReporter reporter;
    processor.PowerUp(*pMemory);
    std::string strLine;
    const auto now = CStatusReporter::Clock::now();
    for (std::size_t i = 0; i <= nSize; ++i) {
        const char c = i < nSize ? static_cast<char>(pData[i]) : '\r';
        if (c != '\r' && c != '\n') {
            strLine += c;
            continue;
        }
        if (!strLine.empty() && strLine[0] == ':') {
            controller.Handle(CFrameParser::Parse(strLine));
        } else {
            console.Execute(strLine);
        }
        processor.Scan(*pMemory, static_cast<int>(strLine.size()) * 100);
        reporter.Due(*pMemory, now);
        strLine.clear();
    }
    ExpectSurvivesTheMemoryFile(*pMemory);
    return 0;
}
