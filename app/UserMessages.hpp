#pragma once
// The message boxes in which the windows tell the user what the engine refused, skipped or could not
// do, worded in the program's language. Each returns the request for the dialog provider.

#include "ArchiveReader.hpp"
#include "ArchiveWriter.hpp"
#include "ContentAppender.hpp"
#include "DialogProvider.hpp"
#include "Extractor.hpp"
#include "File.hpp"
#include "FolderScanner.hpp"
#include "MergeEntries.hpp"

#include <exception>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace quarrow::app {

// The system's reason for a failure, as the system words it for the user.
std::wstring ReasonText(std::error_code error);

// Open: the file is no archive, or not one whose index can be read ("打开错误").
dialogs::MessageRequest ArchiveRejected(HWND owner, const ArchiveCheck& check);
// Open: the archive changed or failed to read after it was checked.
dialogs::MessageRequest ArchiveLoadFailed(HWND owner, const std::filesystem::path& archive,
                                          const std::exception& error);

// Pack: refused before anything was written, or failed while writing; the target is as it was.
dialogs::MessageRequest PackRefused(HWND owner, const PackError& error);
dialogs::MessageRequest PackFailed(HWND owner, const std::filesystem::path& target, const FileError& error);

// Extract: the archive could not be read at all, or the chosen folder cannot take the entries.
dialogs::MessageRequest ExtractFailed(HWND owner, const FileError& error);
// Extract: what was written and every entry that was skipped, with its reason.
dialogs::MessageRequest EntriesSkipped(HWND owner, const ExtractionResult& result);

// Add folder: the links whose target cannot be opened, and the folders met again through a link, that
// the scan left out.
dialogs::MessageRequest FolderPartsLeftOut(HWND owner, const ScanReport& report);

// Add file: the files that could not be read and were left out.
struct UnreadableFile {
    std::wstring path;
    std::error_code error;
};
dialogs::MessageRequest FilesNotAdded(HWND owner, const std::vector<UnreadableFile>& files);

// A drop or an added folder whose files would be stored under one name: none was added.
dialogs::MessageRequest NamesClash(HWND owner, const std::vector<NameClash>& clashes);

// Append content: refused before anything was written, because the archive would grow too large.
dialogs::MessageRequest AppendTooLarge(HWND owner, const AppendRefused& refused);
// Append content: the archive could not be opened or written.
dialogs::MessageRequest AppendFailed(HWND owner, const std::filesystem::path& archive, const FileError& error);
// Append content: the files the run left out, each with its reason.
dialogs::MessageRequest FilesNotAppended(HWND owner, const std::vector<AppendOutcome>& outcomes);

// New, or closing the window: the list has not been packed; 是 packs it, 否 goes on, 取消 keeps it.
dialogs::MessageRequest UnsavedListQuestion(HWND owner);

// Save as: the current archive holds bytes that are neither header, index nor an entry's data (content
// appended behind the index, gaps), which the new archive would not keep; 是 drops them, 否 keeps the
// list unsaved.
dialogs::MessageRequest AppendedContentWouldBeDropped(HWND owner, const std::filesystem::path& archive,
                                                      const std::vector<ByteRange>& dropped);

// Open: the system could not open the file in a program of its own, for the reason given.
dialogs::MessageRequest FileNotOpened(HWND owner, const std::filesystem::path& file, std::error_code error);
// The copy of an opened entry was changed in its program: 是 takes it back into the list, 否 leaves the
// entry as it is.
dialogs::MessageRequest CopyChanged(HWND owner, const std::wstring& storedName);
// The same when the window closes: 是 takes it back, 否 drops the change, 取消 keeps the window.
dialogs::MessageRequest CopyChangedAtClose(HWND owner, const std::wstring& storedName);

// A failure no command expected.
dialogs::MessageRequest UnexpectedError(HWND owner, std::exception_ptr error);
// The program could not start: the system refused its windows.
dialogs::MessageRequest StartFailed(std::exception_ptr error);

} // namespace quarrow::app
