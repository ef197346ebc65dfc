#pragma once

#include <optional>
#include <string>
#include <system_error>
#include <vector>

// Whole-file access for the stored files. A file is read into memory in one
// go, so a reader can check every value against the real end of the file.
// It is written whole to a temporary file in the same folder, flushed to
// disk and renamed over the target, so a crash or a full disk leaves either
// the old file or the new one, never a mixture. The target keeps its
// permissions, and a symbolic link is written through to the file it names.
//
// A target whose mode bits allow no writing at all is refused, as is one in
// a folder whose mode bits allow none, and a link that never ends in a file: renaming over them
// would quietly replace what the owner protected. Mode bits decide, not the process's rights,
// because a workshop PC running as the administrator may write anything.
//
// A temporary file carries the number of the process writing it, so one
// left behind by a process that died can be told from one being written.
class CDataFile {
public:
    enum class EReadResult { Ok, Missing, Unreadable };

    static EReadResult Read(const std::string& strPath, std::vector<unsigned char>& data);
    // False, with the system's reason in error, when the file was not
    // written whole.
    static bool Write(const std::string& strPath, const std::vector<unsigned char>& data,
                      std::error_code& error);
    static bool Write(const std::string& strPath, const std::vector<unsigned char>& data);
    // Copies a file the same way; the old copy stays until the new one is
    // whole.
    static bool Copy(const std::string& strFrom, const std::string& strTo, std::error_code& error);

    // Why no file can be written into the folder: mode bits that allow no
    // writing (judged as for a file), or the system's refusal (a read-only
    // mount, no permission); no error when it may be written.
    static std::error_code FolderRefusal(const std::string& strFolder);
    static bool IsProcessGone(long nPid);

    // The temporary file process nPid writes beside strTarget, its serial
    // number telling several attempts apart.
    static std::string TemporaryPath(const std::string& strTarget, long nPid, unsigned nSerial);
    // The process that wrote a temporary file of that name, if it is one.
    static std::optional<long> TemporaryOwner(const std::string& strFileName);
    // Removes the temporary files in the folder whose process has ended;
    // returns how many.
    static int RemoveOrphans(const std::string& strFolder);

    // Messages shared by the working-file readers and writers.
    static std::string DamagedText(const std::string& strName);
    static std::string UnreadableText(const std::string& strName);
    // The reason, when known, follows on a second line.
    static std::string CreateFailedText(const std::string& strName, const std::error_code& error);

private:
    // The file a path finally names after following symbolic links.
    static std::string FollowLinks(const std::string& strPath);
};
