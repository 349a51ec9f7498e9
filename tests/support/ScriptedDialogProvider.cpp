#include "ScriptedDialogProvider.hpp"

#include "Text.hpp"

#include <utility>

namespace quarrow::dialogs {

namespace {

const char* KindName(DialogKind kind) {
    switch (kind) {
    case DialogKind::OpenFile: return "an open dialog";
    case DialogKind::OpenFiles: return "an open dialog for several files";
    case DialogKind::SaveFile: return "a save dialog";
    case DialogKind::Folder: return "a folder browser";
    case DialogKind::Message: return "a message box";
    }
    return "a dialog";
}

std::string Describe(const RecordedRequest& request) {
    std::string text = KindName(request.Kind);
    switch (request.Kind) {
    case DialogKind::Folder: return text + " titled \"" + Utf8FromWide(request.Folder.Title) + "\"";
    case DialogKind::Message: return text + " saying \"" + Utf8FromWide(request.Message.Text) + "\"";
    default: return text + " titled \"" + Utf8FromWide(request.File.Title) + "\"";
    }
}

} // namespace

void ScriptedDialogProvider::AnswerOpenFile(std::wstring path) {
    answers_.push_back(Answer{DialogKind::OpenFile, std::move(path), {}, 0});
}

void ScriptedDialogProvider::AnswerOpenFiles(FileSelection selection) {
    answers_.push_back(Answer{DialogKind::OpenFiles, {}, std::move(selection), 0});
}

void ScriptedDialogProvider::AnswerSaveFile(std::wstring path) {
    answers_.push_back(Answer{DialogKind::SaveFile, std::move(path), {}, 0});
}

void ScriptedDialogProvider::AnswerFolder(std::wstring path) {
    answers_.push_back(Answer{DialogKind::Folder, std::move(path), {}, 0});
}

void ScriptedDialogProvider::AnswerMessage(int button) {
    answers_.push_back(Answer{DialogKind::Message, {}, {}, button});
}

ScriptedDialogProvider::Answer ScriptedDialogProvider::Take(RecordedRequest request) {
    const DialogKind kind = request.Kind;
    requests_.push_back(std::move(request));
    std::string mismatch;
    if (answers_.empty()) {
        mismatch = "the script holds no more answers, but the window asked for " + Describe(requests_.back());
    } else if (answers_.front().Kind != kind) {
        mismatch = std::string("the script's next answer is for ") + KindName(answers_.front().Kind) +
                   ", but the window asked for " + Describe(requests_.back());
    }
    if (!mismatch.empty()) {
        mismatches_.push_back(mismatch);
        throw ScriptMismatch(mismatch);
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

std::wstring ScriptedDialogProvider::OpenFile(const FileDialogRequest& request) {
    return Take(RecordedRequest{DialogKind::OpenFile, request, {}, {}}).Path;
}

FileSelection ScriptedDialogProvider::OpenFiles(const FileDialogRequest& request) {
    return Take(RecordedRequest{DialogKind::OpenFiles, request, {}, {}}).Selection;
}

std::wstring ScriptedDialogProvider::SaveFile(const FileDialogRequest& request) {
    return Take(RecordedRequest{DialogKind::SaveFile, request, {}, {}}).Path;
}

std::wstring ScriptedDialogProvider::BrowseFolder(const FolderRequest& request) {
    return Take(RecordedRequest{DialogKind::Folder, {}, request, {}}).Path;
}

int ScriptedDialogProvider::ShowMessage(const MessageRequest& request) {
    return Take(RecordedRequest{DialogKind::Message, {}, {}, request}).Button;
}

} // namespace quarrow::dialogs
