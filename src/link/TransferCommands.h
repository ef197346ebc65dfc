#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class CShellServices;
class CSystem;
class CTransferHost;
class CControllerProtocol;

// The commands that move a channel, a module or the whole system between
// the system record and the controller, start and stop the controller's
// module link, and read its Boolean processor time.
//
// A transfer whose port closes part way stops there and says so once: the
// controller then holds part of the system, and the steps still to come
// could only fail.
//
// A retrieve trusts only values that came from the controller: when the port
// closes while it runs (the technician closed it, or the cable was pulled),
// the readers return at once and leave fields untouched, so the retrieve says
// it was interrupted instead of successful, and a whole-system retrieve puts
// back the system it replaced. An answer that came but was malformed stores
// nothing for its field, and the retrieve ends saying errors occurred.
class CTransferCommands {
public:
    static constexpr const char* kPortNotOpenText = "COM PORT NOT OPEN.";
    static constexpr const char* kUploadSuccessfulText = "UPLOAD SUCCESSFUL";
    static constexpr const char* kUploadErrorsText = "UPLOAD COMPLETED BUT ERRORS OCCURED";
    static constexpr const char* kMemoryNotClearedText = "the DVX CPU's memory was not cleared";
    static constexpr const char* kUploadInterruptedText =
        "UPLOAD INTERRUPTED. THE DVX CPU HOLDS AN INCOMPLETE SYSTEM.";
    static constexpr const char* kDownloadSuccessfulText = "DOWNLOAD SUCCESSFUL";
    static constexpr const char* kDownloadErrorsText = "DOWNLOAD COMPLETED BUT ERRORS OCCURED";
    static constexpr const char* kDownloadInterruptedText =
        "DOWNLOAD INTERRUPTED: THE COM PORT CLOSED BEFORE ALL DATA WAS RECEIVED.";
    static constexpr const char* kSystemPutBackText =
        "DOWNLOAD INTERRUPTED: THE COM PORT CLOSED BEFORE ALL DATA WAS RECEIVED.\n"
        "THE SYSTEM HAS BEEN PUT BACK AS IT WAS BEFORE THE RETRIEVE.";
    static constexpr const char* kSaveQuestionText = "Changes have been made. Do you wish to save?";
    static constexpr const char* kRetrievingSystemText = "Retrieving system ...";
    static constexpr const char* kTransmittingModuleText = "Transmitting module to DVX CPU ...";
    static constexpr const char* kRetrievingModuleText = "Retrieving module ...";
    // With the number of errors the system check finds.
    static constexpr const char* kCheckErrorsText =
        "THE SYSTEM HAS %d ERRORS (Utility > Check system). TRANSFER ANYWAY?";

    CTransferCommands(CSystem& system, CControllerProtocol& comm, CShellServices& shell,
                      CTransferHost& host)
        : m_system(system), m_comm(comm), m_shell(shell), m_host(host) {}

    // The reads of a whole-system retrieve, in their order, into the
    // protocol object's own record; the compare and corvel-cli read with them
    // too.
    static bool ReadSystem(CControllerProtocol& comm);

    void OnTransfer();
    // The whole system as a system transfer sends it, without the scope
    // picker and without the check's question; nothing when the port is
    // closed.
    void LoadSystem();
    // What each failed step of the last transfer left out, one text a step
    // ("" for a single frame whose failure says it all).
    const std::vector<std::string>& UnsentTexts() const { return m_astrUnsent; }
    // The values the last transfer sent as the nearest count the controller
    // holds, one sentence each.
    const std::vector<std::string>& NearestTexts() const { return m_astrNearest; }
    void OnRetrieve();
    void OnStartLink();
    void OnStopLink();
    void OnCpuProcessingTime();

private:
    // The pause, the stopped module link and the busy cursor around a
    // transfer, and the wait indicator closed after it.
    void RunBracketed(const std::function<void()>& fnTransfer);
    // Before the first data frame: when the system check finds errors
    // (for a module, errors naming one of its channels), whether the
    // technician wants them sent all the same. Warnings and notes never ask.
    bool ConfirmErrors(bool bCurrentModuleOnly);
    void TransferChannel();
    void TransferModule();
    void TransferSystem();
    void SendWholeSystem();
    int SendModule();
    int SendSystem();
    using Step = bool (CControllerProtocol::*)();
    // Runs the steps in order, reporting each failed one at once; -1 when
    // the port closed under them (the rest is not sent and the technician
    // has been told once), otherwise the number of failed steps.
    int SendSteps(std::initializer_list<Step> apSteps);
    // "... were not sent": what a failed step left out; "" for a single
    // frame whose failure says it all.
    std::string UnsentText(Step pStep);
    // The final box lists below its first line each step that did not
    // complete, then each value sent as another count than it holds.
    void ReportUpload(int nErrors);

    void RetrieveChannel();
    void RetrieveModule();
    void RetrieveSystem();
    bool ReadModule();
    // False when the technician wanted the system saved and it could not be.
    bool OfferSave();
    // Whether the port closed since the retrieve began.
    bool IsLinkLost() const;
    void ReportDownload(bool bAllRead);

    CSystem& m_system;
    CControllerProtocol& m_comm;
    CShellServices& m_shell;
    CTransferHost& m_host;
    std::vector<std::string> m_astrUnsent;
    std::vector<std::string> m_astrNearest;
};
