#pragma once

#include "model/Archive.h"
#include "model/FileLayout.h"
#include "model/System.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

inline std::unique_ptr<CSystemFields> Defaults() {
    return std::make_unique<CSystemFields>(CSystem::TodayText());
}

// A system where every stored value differs from the defaults and from its
// neighbours, so a value written to or read from the wrong place shows.
inline std::unique_ptr<CSystemFields> Distinct() {
    auto f = Defaults();
    uint32_t nSeed = 12345;
    auto next = [&nSeed](int nRange) {
        nSeed = nSeed * 1103515245u + 12345u;
        return static_cast<int>((nSeed >> 8) % static_cast<uint32_t>(nRange));
    };
    auto text = [&](int nMax) {
        std::string str;
        for (int n = next(nMax + 1); n > 0; --n)
            str += static_cast<char>(0x20 + next(0xE0));
        return str;
    };
    f->bSleep = 1;
    f->nInactivity = 37;
    f->nWakeUp = 201;
    for (int i = 0; i < 4; ++i) {
        f->anHiIn[i] = static_cast<int16_t>(i * 11);
        f->anHiOut[i] = static_cast<int16_t>(100 + i);
    }
    f->strReserved = "reserved text";
    f->strFilePath = "C:\\Fleet\\BUS 12.DVX";
    for (int t = 0; t < 160; ++t) {
        f->afReload[t] = 0.1f * t + 0.5f;
        f->afCurrent[t] = 3.0f * t;
    }
    f->nCurModule = 7;
    f->nCurChannel = 4;
    for (int l = 0; l < 6; ++l)
        for (int m = 0; m < 16; ++m) {
            f->astrModuleLabel[l][m] = text(40);
            f->anModuleType[l][m] = static_cast<int16_t>(next(20));
            for (int c = 0; c < 10; ++c) {
                CChannelFields& ch = f->aChannel[l][m][c];
                ch.nState = next(2);
                ch.nReserved = next(1000);
                ch.strLabel = text(15);
                ch.bOutput = next(2);
                ch.bLatch = next(2);
                ch.bPowerUp = next(2);
                ch.bEquationNot = next(2);
                ch.bGroupNotA = next(2);
                ch.bGroupNotB = next(2);
                for (int j = 0; j < 3; ++j) {
                    ch.abTermNotA[j] = next(2);
                    ch.abTermNotB[j] = next(2);
                    ch.anTermA[j] = static_cast<int16_t>(next(961) - 1);
                    ch.anTermB[j] = static_cast<int16_t>(next(961) - 1);
                    ch.abPrA[j] = next(2);
                    ch.abPrB[j] = next(2);
                }
                for (int32_t& n : ch.anReservedA)
                    n = next(100000);
                ch.nReservedB = next(100000);
                ch.nReservedC = next(100000);
                ch.nReservedE = next(100000);
                ch.nReservedD = static_cast<int16_t>(next(30000));
                ch.nEquationType = static_cast<int16_t>(next(4));
            }
        }
    for (int i = 0; i < 10; ++i)
        f->astrSysLabel[i] = text(15);
    return f;
}

// Puts the values into a system through its own operations.
inline void Apply(CSystem& sys, const CSystemFields& f) {
    sys.SetSleepEnabled(f.bSleep != 0);
    sys.SetSleepInactivity(f.nInactivity);
    sys.SetSleepWakeUp(f.nWakeUp);
    for (short i = 0; i < 4; ++i) {
        sys.SetHiSpeedInput(i, f.anHiIn[i]);
        sys.SetHiSpeedOutput(i, f.anHiOut[i]);
    }
    sys.SetReserved(f.strReserved);
    for (short t = 0; t < 160; ++t) {
        sys.SetTimerReload(t, f.afReload[t]);
        sys.SetTimerCurrent(t, f.afCurrent[t]);
    }
    sys.SetFilePath(f.strFilePath);
    sys.SetCurModule(f.nCurModule);
    sys.SetCurChannel(f.nCurChannel);
    for (short l = 0; l < 6; ++l)
        for (short m = 0; m < 16; ++m) {
            sys.SetModuleLabel(m, l, f.astrModuleLabel[l][m]);
            sys.SetModuleType(m, l, f.anModuleType[l][m]);
            for (short c = 0; c < 10; ++c) {
                const CChannelFields& ch = f.aChannel[l][m][c];
                short nIndex = CSystem::MakeIndex(l, m, c);
                sys.SetChannelStateAt(m, c, l, ch.nState);
                sys.SetChannelReserved(nIndex, ch.nReserved);
                sys.StoreChannelLabel(m, c, l, ch.strLabel);
                CChannelRecord& r = sys.Channel(m, c, l);
                r.m_bOutput = ch.bOutput;
                r.m_bMomentaryLatch = ch.bLatch;
                r.m_bPowerUpOn = ch.bPowerUp;
                r.m_bEquationNot = ch.bEquationNot;
                r.m_bGroupNotA = ch.bGroupNotA;
                r.m_bGroupNotB = ch.bGroupNotB;
                for (int j = 0; j < 3; ++j) {
                    r.m_abTermNotA[j] = ch.abTermNotA[j];
                    r.m_abTermNotB[j] = ch.abTermNotB[j];
                    r.m_anTermA[j] = ch.anTermA[j];
                    r.m_anTermB[j] = ch.anTermB[j];
                    r.m_abTermPrA[j] = ch.abPrA[j];
                    r.m_abTermPrB[j] = ch.abPrB[j];
                }
                for (int k = 0; k < 4; ++k)
                    r.m_anReservedA[k] = ch.anReservedA[k];
                r.m_nReservedB = ch.nReservedB;
                r.m_nReservedC = ch.nReservedC;
                r.m_nReservedE = ch.nReservedE;
                r.m_nReservedD = ch.nReservedD;
                r.m_nEquationType = ch.nEquationType;
            }
        }
    for (short i = 0; i < 10; ++i)
        sys.StoreSysLabel(i, f.astrSysLabel[i]);
}

// The text form holds labels as an editor could type them: the distinct
// system's module and system labels run longer, and any of its labels may
// hold DEL. Cuts them to their fields and puts "~" for DEL.
inline void MakeLabelsTypeable(CSystem& sys) {
    auto typeable = [](std::string strLabel) {
        strLabel.resize(std::min(strLabel.size(), CSystem::kLabelLength));
        std::replace(strLabel.begin(), strLabel.end(), '\x7F', '~');
        return strLabel;
    };
    for (short l = 0; l < 6; ++l)
        for (short m = 0; m < 16; ++m) {
            sys.StoreModuleLabel(m, l, typeable(sys.GetModuleLabel(m, l)));
            for (short c = 0; c < 10; ++c)
                sys.StoreChannelLabel(m, c, l, typeable(sys.StoredChannelLabel(m, c, l)));
        }
    for (short i = 0; i < 10; ++i)
        sys.StoreSysLabel(i, typeable(sys.GetSysLabel(i)));
}

inline std::vector<unsigned char> Stored(CSystem& sys) {
    CArchive ar;
    sys.Serialize(ar);
    return ar.Buffer();
}
