#pragma once
// A dialog provider for tests: answers come from a queue the test fills beforehand, in the order the
// window will ask, and every request is recorded so that the test can check titles, flags, filters
// and message texts. A request the script did not expect (none left, or another kind of dialog
// first) is recorded as a mismatch and raises ScriptMismatch.

#include "DialogProvider.hpp"

#include <cstddef>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarrow::dialogs {

enum class DialogKind { OpenFile, OpenFiles, SaveFile, Folder, Message };

// One request as the window made it. Only the member that belongs to `Kind` is filled: File for the
// three file dialogs, Folder for the browser, Message for a message box.
struct RecordedRequest {
    DialogKind Kind = DialogKind::OpenFile;
    FileDialogRequest File;
    FolderRequest Folder;
    MessageRequest Message;
};

class ScriptMismatch : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class ScriptedDialogProvider final : public DialogProvider {
public:
    // Queue the answer to the next request of that kind. An empty path, or a selection without
    // names, answers as a cancel does.
    void AnswerOpenFile(std::wstring path);
    void AnswerOpenFiles(FileSelection selection);
    void AnswerSaveFile(std::wstring path);
    void AnswerFolder(std::wstring path);
    void AnswerMessage(int button);

    // Every request so far, in order, including mismatched ones.
    const std::vector<RecordedRequest>& Requests() const { return requests_; }
    // What went against the script, one readable line each.
    const std::vector<std::string>& Mismatches() const { return mismatches_; }
    // Answers queued and not asked for yet.
    std::size_t UnusedAnswers() const { return answers_.size(); }

    std::wstring OpenFile(const FileDialogRequest& request) override;
    FileSelection OpenFiles(const FileDialogRequest& request) override;
    std::wstring SaveFile(const FileDialogRequest& request) override;
    std::wstring BrowseFolder(const FolderRequest& request) override;
    int ShowMessage(const MessageRequest& request) override;

private:
    struct Answer {
        DialogKind Kind = DialogKind::OpenFile;
        std::wstring Path;
        FileSelection Selection;
        int Button = 0;
    };

    Answer Take(RecordedRequest request);

    std::deque<Answer> answers_;
    std::vector<RecordedRequest> requests_;
    std::vector<std::string> mismatches_;
};

} // namespace quarrow::dialogs
