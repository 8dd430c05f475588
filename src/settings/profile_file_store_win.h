// The file store behind the profile engine, on real files (UTF-8 paths).
#pragma once

#include "settings/private_profile.h"

namespace spindle {

class Win32ProfileStore : public ProfileFileStore {
public:
    ReadResult ReadAll(const std::string& path) override;
    WriteOutcome WriteNew(const std::string& path, std::string_view bytes) override;
    // A read-only file is not replaced: Windows refuses the move anyway, but Wine running as
    // root would do it.
    bool Replace(const std::string& from, const std::string& to) override;
    WriteOutcome WriteOver(const std::string& path, std::string_view bytes) override;
    void Remove(const std::string& path) override;
    bool CanWrite(const std::string& path) override;
    bool MakeFolder(const std::string& folder) override;
};

}  // namespace spindle
