#pragma once
// A file written under a temporary name beside its target and put in the target's place only when it
// is complete, so that a failed or interrupted write never touches what the target held. The name is
// the target's followed by ".quarrow-tmp-" and 16 hexadecimal digits; while it is being written it is
// locked, so that another run can tell a live temporary file from one that a killed run left behind.

#include "File.hpp"

#include <filesystem>
#include <string_view>

namespace quarrow {

inline constexpr std::wstring_view kTemporaryMarker = L".quarrow-tmp-";

class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target);
    // Removes the temporary file unless it was committed.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    File& Get() { return file_; }

    // Puts the file in the target's place. `durable` first hands the data to the disk, for when the
    // target held something worth keeping until the replacement is safely stored.
    void Commit(bool durable);

private:
    std::filesystem::path target_;
    std::filesystem::path path_;
    File file_;
    bool committed_ = false;
};

// Whether a file name has the form of a temporary file.
bool IsTemporaryFileName(std::wstring_view name);

// Removes the temporary files in `folder` that no live run holds: the leftovers of killed runs.
void RemoveAbandonedTemporaryFiles(const std::filesystem::path& folder);

// Replaces `target` by `source` in one step.
void RenameOver(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace quarrow
