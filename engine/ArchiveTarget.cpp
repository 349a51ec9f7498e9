#include "ArchiveTarget.hpp"

#include "ArchiveWriter.hpp"

#include <system_error>

namespace quarrow {

namespace {

[[noreturn]] void Refuse(PackProblem problem, const std::filesystem::path& target, std::error_code error = {}) {
    PackIssue issue;
    issue.problem = problem;
    issue.source = target;
    issue.error = error;
    throw PackError(std::vector<PackIssue>{issue});
}

// The file that `path` names once every link on the way is followed, even one that leads nowhere yet.
std::filesystem::path FollowLinks(const std::filesystem::path& path) {
    std::filesystem::path at = path;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(at, error)) {
            return at;
        }
        const auto next = std::filesystem::read_symlink(at, error);
        if (error) {
            Refuse(PackProblem::TargetNotAFile, path, error);
        }
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    Refuse(PackProblem::TargetNotAFile, path, std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

} // namespace

ArchiveTarget::ArchiveTarget(const std::filesystem::path& target) : named_(target) {
    if (target.empty()) {
        Refuse(PackProblem::TargetNotAFile, target, std::make_error_code(std::errc::no_such_file_or_directory));
    }
    // What the name leads to, as any program that opens it would find it (a device behind /dev/stdout,
    // say), and the file that is rewritten, in its own folder: they must be one and the same.
    std::optional<FileIdentity> existing;
    try {
        existing = File::IdentityAt(target);
        resolved_ = FollowLinks(target);
        if (existing && existing->kind == FileIdentity::Kind::File) {
            const auto atResolved = File::IdentityAt(resolved_);
            if (!atResolved || !atResolved->SameFile(*existing)) {
                Refuse(PackProblem::TargetNotAFile, target);
            }
        }
    } catch (const FileError& error) {
        Refuse(PackProblem::TargetNotAFile, target, error.Code());
    }
    if (!existing) {
        return;
    }
    if (existing->kind != FileIdentity::Kind::File) {
        Refuse(PackProblem::TargetNotAFile, target);
    }
    if (existing->readOnly) {
        Refuse(PackProblem::TargetReadOnly, target);
    }
    if (existing->links > 1) {
        Refuse(PackProblem::TargetHardLinked, target);
    }
    try {
        held_ = File::Open(resolved_, File::Mode::Read);
    } catch (const FileError& error) {
        Refuse(PackProblem::TargetLocked, target, error.Code());
    }
    if (!held_.TryLockExclusive()) {
        Refuse(PackProblem::TargetLocked, target);
    }
    existing_ = held_.Identity();
    // Another writer may have put its file in place between the look and the lock.
    if (!existing->SameFile(*existing_)) {
        Refuse(PackProblem::TargetChanged, target);
    }
}

void ArchiveTarget::CheckUnchanged() const {
    const auto now = File::IdentityIfKnown(resolved_);
    const bool same = existing_ ? now && now->SameState(*existing_) : !now;
    if (!same) {
        Refuse(PackProblem::TargetChanged, named_);
    }
}

} // namespace quarrow
