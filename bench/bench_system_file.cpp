// Loads, saves and checks a fully populated system and prints the time per
// load, per save and per system check, the time to build the logic
// explorer's tree of one channel, and the size of the file.
#include "model/LogicExplanation.h"
#include "model/LogicGraph.h"
#include "model/LogicTree.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "model/SystemCheck.h"
#include "moduletypes/ModuleTypes.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

class CQuietShell : public CShellServices {
public:
    EBoxAnswer MessageBox(const std::string& strText, EBoxButtons, EBoxIcon) override {
        std::fprintf(stderr, "message: %s\n", strText.c_str());
        return EBoxAnswer::Ok;
    }
    bool AskFileName(const CFileDialogRequest&, std::string&) override { return false; }
    void SetStatusText(const std::string&) override {}
    void UpdateTitle() override {}
    void Trace(const std::string&) override {}
    void SendChannelState(short, short, short, int) override {}
};

// Every equation with six terms, every label at its full 15 characters,
// every timer and module type set.
void Populate(CSystem& sys) {
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            sys.SetModuleLabel(nModule, nLoop,
                               "MODULE LABEL " + std::to_string(nModule % 10) +
                                   std::to_string(nLoop));
            sys.SetModuleType(nModule, nLoop, static_cast<short>(nModule + 1));
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
                short nIndex = CSystem::MakeIndex(nLoop, nModule, nChannel);
                sys.StoreChannelLabel(nModule, nChannel, nLoop,
                                      "CHANNEL LBL " + std::to_string(1000 + nIndex % 1000));
                CChannelRecord& record = sys.Channel(nModule, nChannel, nLoop);
                for (int i = 0; i < 3; ++i) {
                    record.m_anTermA[i] = static_cast<short>((nIndex + 1 + i) % CSystem::kChannels);
                    record.m_anTermB[i] = static_cast<short>((nIndex + 7 + i) % CSystem::kChannels);
                    record.m_abTermNotA[i] = i % 2;
                    record.m_abTermPrB[i] = 1;
                }
                record.m_bOutput = 1;
                record.m_nEquationType = static_cast<short>(nIndex % 4);
            }
        }
    for (short t = 0; t < CSystem::kTimers; ++t) {
        sys.SetTimerReload(t, 0.5f * t);
        sys.SetTimerCurrent(t, 0.25f * t);
    }
    for (short i = 0; i < CSystem::kSysLabels; ++i)
        sys.StoreSysLabel(i, "SYSTEM LABEL 0" + std::to_string(i));
}

// What the logic explorer builds when it opens on a channel: the logic
// graph, the tree opened level by level to its first lines, everything the
// channel drives and the line that explains it.
struct CExplorerFigures {
    std::size_t nLines = 0;
    std::size_t nExplanation = 0;
};

CExplorerFigures BuildExplorer(const CSystem& sys, short nIndex, std::size_t nLines) {
    const CLogicGraph graph(sys);
    const CLogicTree tree(graph);
    std::deque<CLogicNode> aQueue{tree.Root(nIndex)};
    std::size_t nBuilt = 1;
    while (!aQueue.empty() && nBuilt < nLines) {
        for (CLogicNode& child : tree.Children(aQueue.front())) {
            aQueue.push_back(std::move(child));
            ++nBuilt;
        }
        aQueue.pop_front();
    }
    nBuilt += tree.Driven(nIndex).size();
    CLogicFacts facts;
    facts.fnState = [](short n) { return n % 3 == 0 ? ELogicState::On : ELogicState::Off; };
    return {nBuilt, CLogicExplanation(sys, graph, facts).Line(nIndex).size()};
}

double MillisecondsPer(int nRounds, std::chrono::steady_clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count() / nRounds;
}

} // namespace

int main(int argc, char* argv[]) {
    int nRounds = argc > 1 ? std::atoi(argv[1]) : 200;
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("corvel-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    CQuietShell shell;
    {
        CSystem sys(shell, folder.string());
        Populate(sys);

        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < nRounds; ++i)
            sys.SaveSystemFile("BENCH.DVX");
        double fSave = MillisecondsPer(nRounds, std::chrono::steady_clock::now() - start);

        start = std::chrono::steady_clock::now();
        for (int i = 0; i < nRounds; ++i)
            sys.LoadSystemFile("BENCH.DVX");
        double fLoad = MillisecondsPer(nRounds, std::chrono::steady_clock::now() - start);

        CModuleTypes types(CModuleTypes::CEmpty{}, shell);
        types.SetStrictChecking(true);
        std::size_t nFindings = 0;
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < nRounds; ++i)
            nFindings = CSystemCheck(sys, types).Run().size();
        double fCheck = MillisecondsPer(nRounds, std::chrono::steady_clock::now() - start);

        CExplorerFigures explorer;
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < nRounds; ++i)
            explorer = BuildExplorer(sys, static_cast<short>(i % 640), 80);
        double fExplorer = MillisecondsPer(nRounds, std::chrono::steady_clock::now() - start);

        auto nSize = std::filesystem::file_size(folder / "BENCH.DVX");
        std::printf("system file: %llu bytes\n", static_cast<unsigned long long>(nSize));
        std::printf("load: %.3f ms per file (%d rounds)\n", fLoad, nRounds);
        std::printf("save: %.3f ms per file (%d rounds, flushed to disk)\n", fSave, nRounds);
        std::printf("check: %.3f ms per system (640 equations of six terms in loops 0-3, %zu "
                    "findings, %d rounds)\n",
                    fCheck, nFindings, nRounds);
        std::printf("explorer tree: %.3f ms per channel (logic graph, first lines of the tree, "
                    "what it drives and the explanation; %zu lines, %zu characters of "
                    "explanation, %d rounds)\n",
                    fExplorer, explorer.nLines, explorer.nExplanation, nRounds);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
