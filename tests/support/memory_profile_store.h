// An in-memory folder tree behind the profile engine's file-store port: folders that take no new
// files or no writes at all, files that refuse writes, files another program holds, reads that
// fail, writes that break off and a disk that fills up. The engine's calls are noted in order.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings/private_profile.h"

namespace spindle::test {

class MemoryProfileStore : public ProfileFileStore {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders;     // the folders there are
    std::set<std::string> noNewFiles;  // folders whose files may be written but that take no new ones
    std::set<std::string> readOnly;    // folders and files that take no writes at all
    std::set<std::string> held;        // files another program holds open without write or delete sharing
    bool readFails = false, locked = false, writeBreaks = false, diskFull = false, replaceFails = false;
    std::vector<std::string> calls;

    // One way for the place of `file` to fail.
    enum Fault {
        kNone, kNoNewFiles, kReadOnlyFolder, kReadOnlyFile, kReadFails, kWriteBreaks, kReplaceFails,
        kHeld,      // held open, readable: neither replaced nor written over
        kLocked,    // held against reading too
        kDiskFull,  // a new file breaks off for want of room
    };
    void Set(Fault fault, const std::string& file) {
        if (fault == kNoNewFiles) noNewFiles.insert(FolderOf(file));
        if (fault == kReadOnlyFolder) readOnly.insert(FolderOf(file));
        if (fault == kReadOnlyFile) readOnly.insert(file);
        if (fault == kHeld) held.insert(file);
        readFails = fault == kReadFails, writeBreaks = fault == kWriteBreaks, replaceFails = fault == kReplaceFails;
        locked = fault == kLocked, diskFull = fault == kDiskFull;
    }

    ReadResult ReadAll(const std::string& path) override {
        calls.push_back("read " + path);
        if (readFails) return {ReadStatus::Failed, {}};
        if (locked && files.count(path)) return {ReadStatus::InUse, {}};
        return files.count(path) ? ReadResult{ReadStatus::Ok, files[path]} : ReadResult{ReadStatus::Missing, {}};
    }
    WriteOutcome WriteNew(const std::string& path, std::string_view bytes) override {
        calls.push_back("new " + path);
        if (!CanWrite(path)) return WriteOutcome::Refused;
        const bool breaks = writeBreaks || diskFull;
        files[path] = bytes.substr(0, breaks ? bytes.size() / 2 : bytes.size());  // part may stay behind
        if (breaks) return diskFull ? WriteOutcome::DiskFull : WriteOutcome::Failed;
        return WriteOutcome::Written;
    }
    bool Replace(const std::string& from, const std::string& to) override {
        calls.push_back("replace " + to);
        if (replaceFails || held.count(to) || !Writable(to)) return false;
        files[to] = files[from];
        return files.erase(from) == 1;
    }
    WriteOutcome WriteOver(const std::string& path, std::string_view bytes) override {
        calls.push_back("over " + path);
        if (!files.count(path) || !Writable(path)) return WriteOutcome::Refused;
        if (held.count(path)) return WriteOutcome::InUse;
        files[path] = bytes;
        return WriteOutcome::Written;
    }
    void Remove(const std::string& path) override { calls.push_back("remove " + path), files.erase(path); }
    bool CanWrite(const std::string& path) override {
        return Writable(path) && (files.count(path) || !noNewFiles.count(FolderOf(path)));
    }
    bool MakeFolder(const std::string& folder) override { return folders.insert(folder), true; }

private:
    static std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }
    bool Writable(const std::string& path) const {
        return folders.count(FolderOf(path)) && !readOnly.count(FolderOf(path)) && !readOnly.count(path);
    }
};

}  // namespace spindle::test
