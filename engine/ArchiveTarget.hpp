#pragma once
// The file that an archive is written to. A link is followed to the file it names, which is the one
// rewritten, in its own folder. An existing file is taken only when it can be rewritten in place without
// losing anything the user had in it: a regular file, writable, with one name; and it is locked against
// every other writer from the moment this one takes it (before it reads the archive, when it is the
// archive being edited) until the new file is in its place.

#include "File.hpp"

#include <filesystem>
#include <optional>

namespace quarrow {

class ArchiveTarget {
public:
    // Throws PackError when the target cannot be written in place or another writer holds it.
    explicit ArchiveTarget(const std::filesystem::path& target);

    const std::filesystem::path& Named() const { return named_; }       // as the user named it
    const std::filesystem::path& Resolved() const { return resolved_; } // the file itself, links followed
    // The file as it was locked; empty when there was none.
    const std::optional<FileIdentity>& Existing() const { return existing_; }

    // Throws PackError when the file at the target is no longer the one locked, in the state it was.
    void CheckUnchanged() const;

    // Lets go of the file, for a system that replaces no file that is held open.
    void Release() { held_ = File(); }

private:
    std::filesystem::path named_;
    std::filesystem::path resolved_;
    std::optional<FileIdentity> existing_;
    File held_;
};

} // namespace quarrow
