#pragma once
// A file written beside its target and put in the target's place only when it is complete, so that a
// failed or interrupted write never touches what the target held. Where the system can, the file has
// no name while it is written: nobody else can see, take or remove it, and it vanishes with the run
// however the run ends. Otherwise, and for the moment before it replaces the target, it has a name of
// its own that this run created: the target's followed by ".quarrow-tmp-" and 16 hexadecimal digits.
// Where the system gives every file a name (Windows), the file is marked for removal as it is created,
// so that it still vanishes with the run however the run ends, and nobody else can open it; the mark
// is taken back only in the moment before it replaces the target. Where the file system refuses the
// mark, the file is removed when this object is destroyed, which a killed run never reaches. Only the
// name this run created is ever removed.

#include "File.hpp"

#include <filesystem>
#include <string_view>

namespace quarrow {

inline constexpr std::wstring_view kTemporaryMarker = L".quarrow-tmp-";

class TemporaryFile {
public:
    // A failure to create it names the folder it was to be created in.
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
    std::filesystem::path path_; // the name this run gave the file; empty while it has none
    File file_;
    bool removedWhenClosed_ = false; // the system removes the file with its last handle
    bool committed_ = false;

    void Name();
};

// Whether a file name has the form of a temporary file.
bool IsTemporaryFileName(std::wstring_view name);

// Replaces `target` by `source` in one step.
void RenameOver(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace quarrow
