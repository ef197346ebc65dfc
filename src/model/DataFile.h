#pragma once

#include <string>
#include <vector>

// Whole-file access for the stored files. A file is read into memory in one
// go, so a reader can check every value against the real end of the file.
// It is written whole to a temporary file in the same folder, flushed to
// disk and renamed over the target, so a crash or a full disk leaves either
// the old file or the new one, never a mixture. The target keeps its
// permissions, and a symbolic link is written through to the file it names.
class CDataFile {
public:
    enum class EReadResult { Ok, Missing, Unreadable };

    static EReadResult Read(const std::string& strPath, std::vector<unsigned char>& data);
    static bool Write(const std::string& strPath, const std::vector<unsigned char>& data);

    // Messages shared by the working-file readers.
    static std::string DamagedText(const std::string& strName);
    static std::string UnreadableText(const std::string& strName);
    static std::string CreateFailedText(const std::string& strName);

private:
    // The file a path finally names after following symbolic links.
    static std::string FollowLinks(const std::string& strPath);
};
