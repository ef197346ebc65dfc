#include "editors/TermScroll.h"

#include "model/System.h"

#include <cctype>

namespace {

constexpr short kLastChannel = CSystem::kChannelsPerModule;

bool IsModuleLetter(char c, short nLoop) {
    return c >= 'A' && c <= CSystem::GetLastModuleLetter(nLoop);
}

CTermEntry NoTerm() { return {CTermEntry::kNone, 1}; }

CTermEntry LineUp(const CTermEntry& entry) {
    if (!entry.HasModule())
        return entry;
    if (entry.nChannel > 1)
        return {entry.cModule, static_cast<short>(entry.nChannel - 1)};
    if (entry.cModule == 'A')
        return NoTerm();
    return {static_cast<char>(entry.cModule - 1), kLastChannel};
}

CTermEntry LineDown(const CTermEntry& entry, char cLast) {
    if (!entry.HasModule())
        return {'A', 1};
    if (entry.nChannel < kLastChannel)
        return {entry.cModule, static_cast<short>(entry.nChannel + 1)};
    if (entry.cModule == cLast)
        return {entry.cModule, kLastChannel};
    return {static_cast<char>(entry.cModule + 1), 1};
}

CTermEntry PageUp(const CTermEntry& entry, bool bFirstTerm) {
    if (!entry.HasModule())
        return bFirstTerm ? CTermEntry{'A', 1} : NoTerm();
    if (entry.cModule == 'A')
        return NoTerm();
    return {static_cast<char>(entry.cModule - 1), entry.nChannel};
}

CTermEntry PageDown(const CTermEntry& entry, char cLast) {
    if (!entry.HasModule())
        return {'A', 1};
    if (entry.cModule == cLast)
        return NoTerm();
    return {static_cast<char>(entry.cModule + 1), entry.nChannel};
}

CTermEntry Thumb(int nThumb, short nLoop) {
    if (nThumb < 0)
        return NoTerm();
    if (nThumb > CSystem::GetLastChannelIndex(nLoop))
        nThumb = CSystem::GetLastChannelIndex(nLoop);
    return {static_cast<char>('A' + nThumb / kLastChannel),
            static_cast<short>(nThumb % kLastChannel + 1)};
}

} // namespace

CTermEntry CTermScroll::Normalised(const std::string& strModule, short nChannel, short nLoop) {
    const char c = strModule.empty()
                       ? CTermEntry::kNone
                       : static_cast<char>(std::toupper(static_cast<unsigned char>(strModule[0])));
    return {IsModuleLetter(c, nLoop) ? c : CTermEntry::kNone, nChannel};
}

CTermEntry CTermScroll::Step(EScrollAction action, const CTermEntry& entry, bool bFirstTerm,
                             int nThumb, short nLoop) {
    const char cLast = CSystem::GetLastModuleLetter(nLoop);
    switch (action) {
    case EScrollAction::LineUp:
        return LineUp(entry);
    case EScrollAction::LineDown:
        return LineDown(entry, cLast);
    case EScrollAction::PageUp:
        return PageUp(entry, bFirstTerm);
    case EScrollAction::PageDown:
        return PageDown(entry, cLast);
    case EScrollAction::ThumbTrack:
    case EScrollAction::ThumbPosition:
        return Thumb(nThumb, nLoop);
    case EScrollAction::Top:
    case EScrollAction::Bottom:
    case EScrollAction::EndScroll:
        break;
    }
    return entry;
}

int CTermScroll::Position(const CTermEntry& entry) {
    if (!entry.HasModule())
        return -1;
    return (entry.cModule - 'A') * kLastChannel + entry.nChannel - 1;
}

short CTermScroll::Source(const CTermEntry& entry, short nLoop) {
    if (!IsModuleLetter(entry.cModule, nLoop))
        return -1;
    return static_cast<short>(nLoop * CSystem::kChannelsPerLoop + Position(entry));
}
