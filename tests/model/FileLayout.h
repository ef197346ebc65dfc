#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// A small writer of the stored layouts, written from the file descriptions
// and independent of the archive class, so tests can build fixtures and
// check written files byte for byte.
class CBytes {
public:
    std::vector<unsigned char> m_data;
    // Offset after every value written, for cutting files at field boundaries.
    std::vector<std::size_t> m_anBoundaries;

    void Raw(const void* pData, std::size_t nSize) {
        auto p = static_cast<const unsigned char*>(pData);
        m_data.insert(m_data.end(), p, p + nSize);
    }
    void U8(uint8_t n) { Little(n, 1); }
    void U16(uint16_t n) { Little(n, 2); }
    void I16(int16_t n) { Little(static_cast<uint16_t>(n), 2); }
    void I32(int32_t n) { Little(static_cast<uint32_t>(n), 4); }
    void U32(uint32_t n) { Little(n, 4); }
    void F32(float f) {
        uint32_t n;
        std::memcpy(&n, &f, 4);
        Little(n, 4);
    }
    void F64(double f) {
        uint64_t n;
        std::memcpy(&n, &f, 8);
        Little(n, 8);
    }
    void Str(const std::string& str) {
        std::size_t n = str.size();
        if (n < 255) {
            Put(n, 1);
        } else if (n < 65534) {
            Put(0xFF, 1);
            Put(n, 2);
        } else {
            Put(0xFF, 1);
            Put(0xFFFF, 2);
            Put(n, 4);
        }
        Raw(str.data(), n);
        Mark();
    }
    // The 16-bit character form: marker, a second length, UTF-16LE units.
    void WideStr(const std::u16string& str) {
        Put(0xFF, 1);
        Put(0xFFFE, 2);
        std::size_t n = str.size();
        if (n < 255) {
            Put(n, 1);
        } else {
            Put(0xFF, 1);
            Put(n, 2);
        }
        for (char16_t ch : str)
            Put(ch, 2);
        Mark();
    }

private:
    void Put(uint64_t n, int nBytes) {
        for (int i = 0; i < nBytes; ++i)
            m_data.push_back(static_cast<unsigned char>(n >> (8 * i)));
    }
    void Little(uint64_t n, int nBytes) {
        Put(n, nBytes);
        Mark();
    }
    void Mark() { m_anBoundaries.push_back(m_data.size()); }
};

// Every stored value of one channel, with the values a fresh system holds.
struct CChannelFields {
    int32_t nState = 0, nReserved = 0;
    std::string strLabel;
    int32_t bOutput = 0, bLatch = 0, bPowerUp = 0, bEquationNot = 0, bGroupNotA = 0, bGroupNotB = 0;
    int32_t abTermNotA[3] = {}, abTermNotB[3] = {};
    int16_t anTermA[3] = {-1, -1, -1}, anTermB[3] = {-1, -1, -1};
    int32_t abPrA[3] = {}, abPrB[3] = {};
    int32_t anReservedA[4] = {};
    int32_t nReservedB = 0, nReservedC = 0, nReservedE = 0;
    int16_t nReservedD = 0, nEquationType = 0;
};

// Every stored value of a system, as a fresh system holds it.
struct CSystemFields {
    int32_t bSleep = 0;
    int16_t nInactivity = 2, nWakeUp = 10;
    int16_t anHiIn[4] = {-1, -1, -1, -1}, anHiOut[4] = {-1, -1, -1, -1};
    std::string strReserved, strFilePath;
    float afReload[160], afCurrent[160];
    int16_t nCurModule = 0, nCurChannel = 0;
    std::string astrModuleLabel[6][16];
    int16_t anModuleType[6][16] = {};
    CChannelFields aChannel[6][16][10];
    std::string astrSysLabel[10];

    CSystemFields(const std::string& strDate) {
        static const char* const aszLoops[6] = {"Blue",    "Yellow",  "Virtual",
                                                "TmrEnbl", "TmrDone", "TmrRun"};
        for (int t = 0; t < 160; ++t) {
            afReload[t] = 10.0f;
            afCurrent[t] = 0.0f;
        }
        for (int l = 0; l < 6; ++l)
            for (int m = 0; m < 16; ++m) {
                astrModuleLabel[l][m] = std::string(aszLoops[l]) + "_Modul_" + char('A' + m);
                for (int c = 0; c < 10; ++c)
                    aChannel[l][m][c].strLabel =
                        std::string(aszLoops[l]) + "_Chl_" + char('A' + m) + std::to_string(c + 1);
            }
        for (int i = 0; i < 10; ++i)
            astrSysLabel[i] = "SysLabel_" + std::to_string(i);
        astrSysLabel[2] = strDate;
        astrSysLabel[3] = "CorvelII 6.63";
    }
};

inline void PutChannel(CBytes& out, const CChannelFields& ch, bool bOld) {
    out.I32(ch.nState);
    out.I32(ch.nReserved);
    out.Str(ch.strLabel);
    for (int32_t n :
         {ch.bOutput, ch.bLatch, ch.bPowerUp, ch.bEquationNot, ch.bGroupNotA, ch.bGroupNotB})
        out.I32(n);
    for (int j = 0; j < 3; ++j) {
        out.I32(ch.abTermNotA[j]);
        out.I32(ch.abTermNotB[j]);
        out.I16(ch.anTermA[j]);
        out.I16(ch.anTermB[j]);
        if (bOld)
            continue;
        out.I32(ch.abPrA[j]);
        out.I32(ch.abPrB[j]);
    }
    if (bOld)
        return;
    for (int32_t n : ch.anReservedA)
        out.I32(n);
    out.I32(ch.nReservedB);
    out.I32(ch.nReservedC);
    out.I32(ch.nReservedE);
    out.I16(ch.nReservedD);
    out.I16(ch.nEquationType);
}

inline void PutHead(CBytes& out, const CSystemFields& f, int nTimers) {
    out.I32(f.bSleep);
    out.I16(f.nInactivity);
    out.I16(f.nWakeUp);
    for (int i = 0; i < 4; ++i) {
        out.I16(f.anHiIn[i]);
        out.I16(f.anHiOut[i]);
    }
    out.Str(f.strReserved);
    for (int t = 0; t < nTimers; ++t) {
        out.F32(f.afReload[t]);
        out.F32(f.afCurrent[t]);
    }
    out.Str(f.strFilePath);
    out.I16(f.nCurModule);
    out.I16(f.nCurChannel);
}

// The system file layout.
inline CBytes SystemFileBytes(const CSystemFields& f) {
    CBytes out;
    PutHead(out, f, 160);
    for (int l = 0; l < 6; ++l)
        for (int m = 0; m < 16; ++m) {
            out.Str(f.astrModuleLabel[l][m]);
            out.I16(f.anModuleType[l][m]);
            for (int c = 0; c < 10; ++c)
                PutChannel(out, f.aChannel[l][m][c], false);
        }
    for (const std::string& str : f.astrSysLabel)
        out.Str(str);
    return out;
}

// The old layout: ten timers and twenty modules (Blue A..P, then module A of
// loops 2..5). Term sources are written as given, already in old numbering.
inline CBytes OldFileBytes(const CSystemFields& f) {
    CBytes out;
    PutHead(out, f, 10);
    for (int nOld = 0; nOld < 20; ++nOld) {
        int l = nOld < 16 ? 0 : nOld - 14;
        int m = nOld < 16 ? nOld : 0;
        out.Str(f.astrModuleLabel[l][m]);
        out.I16(f.anModuleType[l][m]);
        for (int c = 0; c < 10; ++c)
            PutChannel(out, f.aChannel[l][m][c], true);
    }
    for (const std::string& str : f.astrSysLabel)
        out.Str(str);
    return out;
}

inline std::vector<unsigned char> ReadFileBytes(const std::string& strPath) {
    std::vector<unsigned char> data;
    if (FILE* pFile = std::fopen(strPath.c_str(), "rb")) {
        unsigned char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pFile)) > 0)
            data.insert(data.end(), buffer, buffer + n);
        std::fclose(pFile);
    }
    return data;
}

inline void WriteFileBytes(const std::string& strPath, const std::vector<unsigned char>& data,
                           std::size_t nSize = SIZE_MAX) {
    FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (!pFile)
        return;
    std::fwrite(data.data(), 1, std::min(nSize, data.size()), pFile);
    std::fclose(pFile);
}
