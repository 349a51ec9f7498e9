#pragma once
// A folder of this run of the program under the system's temporary folder, for the copies of entries
// that the user opens in their own programs or drags out of the list. It is made when the first copy
// needs it and removed, with everything in it, when it is destroyed: what it holds is never the user's.

#include <filesystem>

namespace quarrow::app {

class ScratchFolder {
public:
    ScratchFolder() = default;
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // A new, empty folder inside, made now, for one copy: two entries of one file name never meet.
    // Throws std::filesystem::filesystem_error when the system refuses the folder.
    std::filesystem::path NewFolder();

    // Removes a folder that NewFolder gave, with what it holds; false when something in it could not
    // be removed (a program may still hold a file open) and is left for the destructor.
    bool Remove(const std::filesystem::path& folder);

    // The folder itself; empty until NewFolder first made it.
    const std::filesystem::path& Path() const { return root_; }

private:
    std::filesystem::path root_;
    unsigned long long made_ = 0;
};

} // namespace quarrow::app
