#include "UserMessages.hpp"

#include "RaisedError.hpp"
#include "SystemErrorText.hpp"
#include "Text.hpp"

#include <new>

namespace quarrow::app {

namespace {

// Long lists stop after this many lines; the rest is counted.
constexpr std::size_t kListedLines = 20;

constexpr wchar_t kNewLine[] = L"\r\n";

constexpr wchar_t kOpenErrorTitle[] = L"打开错误";

// What the user is told about a file that is no archive: its path and " 不是有效PAK文件！".
std::wstring InvalidArchiveMessage(const std::filesystem::path& path) {
    return WideFromPath(path) + L" 不是有效PAK文件！";
}

dialogs::MessageRequest Message(HWND owner, std::wstring text, std::wstring title, UINT style) {
    return dialogs::MessageRequest{owner, std::move(text), std::move(title), style};
}

std::wstring Quoted(const std::wstring& name) { return L"“" + name + L"”"; }

std::wstring Position(std::size_t position) {
    return L"第 " + DecimalText(static_cast<long long>(position)) + L" 个档案";
}

std::wstring NameProblemText(NameProblem problem) {
    switch (problem) {
    case NameProblem::Empty: return L"名字是空的";
    case NameProblem::EmptyFileName: return L"名字以“\\”结尾，没有档案名";
    case NameProblem::ParentReference: return L"名字含有“..”，会写到所选文件夹之外";
    case NameProblem::InvalidCharacter: return L"名字含有档案名不能使用的字符";
    case NameProblem::DeviceName: return L"名字是Windows保留的设备名";
    case NameProblem::TrailingDotOrSpace: return L"名字中有一层以“.”或空格结尾";
    case NameProblem::ReservedName: return L"名字与本程序的临时档案同名";
    }
    return L"名字无法写入";
}

std::wstring SkipText(const SkippedEntry& skipped) {
    switch (skipped.reason) {
    case SkipReason::UnsafeName: return NameProblemText(skipped.nameProblem);
    case SkipReason::UndecodableName: return L"名字不是有效的GBK文字";
    case SkipReason::NotInArchive: return L"PAK文件中没有它的数据";
    case SkipReason::DataOutsideArchive: return L"它的数据超出了PAK文件的范围";
    case SkipReason::CannotWrite: return L"无法写入：" + ReasonText(skipped.error);
    case SkipReason::CannotRead: return L"无法从PAK文件读取：" + ReasonText(skipped.error);
    }
    return L"没有解包";
}

std::wstring MoreLines(std::size_t total) {
    if (total <= kListedLines) {
        return {};
    }
    return std::wstring(kNewLine) + L"……另外还有 " + DecimalText(static_cast<long long>(total - kListedLines)) + L" 个";
}

} // namespace

std::wstring ReasonText(std::error_code error) {
    if (!error) {
        return L"未知的原因";
    }
    if (std::wstring text = SystemErrorText(error); !text.empty()) {
        return text;
    }
    // The runtime's own words for it are English; its number is all the user can pass on.
    return L"系统错误（代码 " + DecimalText(static_cast<long long>(error.value())) + L"）";
}

dialogs::MessageRequest ArchiveRejected(HWND owner, const ArchiveCheck& check) {
    std::wstring text = InvalidArchiveMessage(check.path);
    // A file that is there but cannot be read is no proof that it is not an archive: say why.
    const bool missing = check.error == std::errc::no_such_file_or_directory ||
                         check.error == std::error_code(ERROR_FILE_NOT_FOUND, std::system_category()) ||
                         check.error == std::error_code(ERROR_PATH_NOT_FOUND, std::system_category());
    if (check.problem == ArchiveProblem::CannotOpen && check.error && !missing) {
        text = WideFromPath(check.path) + L" 无法读取！" + kNewLine + ReasonText(check.error);
    }
    return Message(owner, std::move(text), kOpenErrorTitle, MB_OK | MB_ICONSTOP);
}

dialogs::MessageRequest ArchiveLoadFailed(HWND owner, const std::filesystem::path& archive,
                                          const std::exception& error) {
    std::wstring text;
    if (const auto* fileError = dynamic_cast<const FileError*>(&error)) {
        text = WideFromPath(archive) + L" 读取失败！" + kNewLine + ReasonText(fileError->Code());
    } else {
        text = InvalidArchiveMessage(archive);
    }
    return Message(owner, std::move(text) + kNewLine + L"目前的档案列表没有改变。", kOpenErrorTitle,
                   MB_OK | MB_ICONSTOP);
}

namespace {

// The entry's file, or its name in the archive it was read from.
std::wstring PackSourceText(const PackIssue& issue) {
    if (issue.fromArchive) {
        return WideFromPath(issue.source) + L" 中的" + Quoted(issue.entryName);
    }
    return WideFromPath(issue.source);
}

std::wstring PackProblemText(const PackIssue& issue) {
    const std::wstring entry = Position(issue.position);
    switch (issue.problem) {
    case PackProblem::EmptyWorkspace: return L"没有可以打包的档案。";
    case PackProblem::NoSource:
        return entry + Quoted(issue.entryName) + L"既没有磁盘上的档案，也没有PAK文件可以读取内容，无法打包。";
    case PackProblem::NameEmpty: return entry + L"的保存名字是空的。";
    case PackProblem::NameUnrepresentable:
        return entry + L"的保存名字" + Quoted(issue.entryName) + L"含有PAK文件无法保存的字符。";
    case PackProblem::NameTooLong:
        return entry + L"的保存名字" + Quoted(issue.entryName) + L"超过40个字节，PAK文件无法保存。";
    case PackProblem::SourceUnreadable:
        return entry + L" " + WideFromPath(issue.source) + L" 无法读取：" + ReasonText(issue.error);
    case PackProblem::SourceShorter: return entry + L" " + PackSourceText(issue) + L" 比加入时短，可能已被修改。";
    case PackProblem::DataOutsideArchive:
        return entry + Quoted(issue.entryName) + L"的内容不在 " + WideFromPath(issue.source) + L" 之内，无法打包。";
    case PackProblem::SourceArchiveChanged:
        return entry + Quoted(issue.entryName) + L"来自的 " + WideFromPath(issue.source) +
               L" 在开启后已被修改（大小或文件头不同），无法打包。请重新开启。";
    case PackProblem::TooLarge:
        return issue.position > 0 ? entry + L" " + PackSourceText(issue) + L" 超过2,147,483,647字节，PAK文件无法保存。"
                                  : L"档案的总大小超过2,147,483,647字节，PAK文件无法保存。";
    case PackProblem::SourceResized: return entry + L" " + PackSourceText(issue) + L" 在打包时大小改变了，无法打包。";
    case PackProblem::SourceIsTarget:
        return entry + L" " + PackSourceText(issue) + L" 就是要写入的PAK文件，不能把它打包进自己。";
    case PackProblem::TargetNotAFile:
        return WideFromPath(issue.source) + L" 不是可以写入PAK文件的档案（可能是目录或设备）。";
    case PackProblem::TargetReadOnly: return WideFromPath(issue.source) + L" 是只读的，没有改写。";
    case PackProblem::TargetHardLinked:
        return WideFromPath(issue.source) + L" 有多个硬链接，改写会使它们分开。请另存为其他文件。";
    case PackProblem::TargetLocked: return WideFromPath(issue.source) + L" 正由另一个程序写入，没有改写。";
    case PackProblem::TargetChanged: return WideFromPath(issue.source) + L" 在写入时被另一个程序修改了，没有改写。";
    }
    return entry + L"无法打包。";
}

} // namespace

dialogs::MessageRequest PackRefused(HWND owner, const PackError& error) {
    const std::vector<PackIssue>& problems = error.Problems();
    std::wstring text;
    if (problems.size() == 1) {
        text = PackProblemText(problems.front());
    } else {
        text = L"以下 " + DecimalText(static_cast<long long>(problems.size())) + L" 个问题使打包无法进行：";
        for (std::size_t i = 0; i < problems.size() && i < kListedLines; ++i) {
            text += kNewLine + PackProblemText(problems[i]);
        }
        text += MoreLines(problems.size());
    }
    return Message(owner, std::move(text) + kNewLine + kNewLine + L"没有写入任何PAK文件；已有的档案没有改变。",
                   L"打包错误", MB_OK | MB_ICONSTOP);
}

dialogs::MessageRequest PackFailed(HWND owner, const std::filesystem::path& target, const FileError& error) {
    std::wstring text = WideFromPath(target) + L" 写入失败！" + kNewLine + ReasonText(error.Code());
    if (error.Path() != target) {
        text += kNewLine + WideFromPath(error.Path());
    }
    return Message(owner, std::move(text) + kNewLine + kNewLine + L"已有的档案没有改变。", L"打包错误",
                   MB_OK | MB_ICONSTOP);
}

dialogs::MessageRequest ExtractFailed(HWND owner, const FileError& error) {
    // The archive that cannot be read, or the chosen folder that cannot be made or written into.
    const bool reading = error.Operation() == FileOperation::Open || error.Operation() == FileOperation::Read ||
                         error.Operation() == FileOperation::Size;
    return Message(owner,
                   WideFromPath(error.Path()) + (reading ? L" 无法读取！" : L" 无法写入！") + kNewLine +
                       ReasonText(error.Code()),
                   L"解包错误", MB_OK | MB_ICONSTOP);
}

dialogs::MessageRequest EntriesSkipped(HWND owner, const ExtractionResult& result) {
    std::wstring text = L"已解包 " + DecimalText(static_cast<long long>(result.written)) + L" 个档案；以下 " +
                        DecimalText(static_cast<long long>(result.skipped.size())) + L" 个档案没有解包：";
    for (std::size_t i = 0; i < result.skipped.size() && i < kListedLines; ++i) {
        const SkippedEntry& skipped = result.skipped[i];
        text += kNewLine + Position(skipped.position) + Quoted(skipped.storedName) + L"：" + SkipText(skipped);
    }
    text += MoreLines(result.skipped.size());
    return Message(owner, std::move(text), L"解包", MB_OK | MB_ICONWARNING);
}

dialogs::MessageRequest FolderPartsLeftOut(HWND owner, const ScanReport& report) {
    std::vector<std::wstring> lines;
    for (const UnreachableLink& link : report.unreachableLinks) {
        lines.push_back(WideFromPath(link.path) + L"：链接的目标无法打开（" + ReasonText(link.error) + L"）");
    }
    for (const UnusableItem& item : report.unusable) {
        lines.push_back(WideFromPath(item.path) + L"：无法读取（" + ReasonText(item.error) + L"）");
    }
    for (const RepeatedFolder& folder : report.repeatedFolders) {
        lines.push_back(WideFromPath(folder.path) + L"：与 " + WideFromPath(folder.enteredAs) +
                        L" 是同一个文件夹，其中的档案已经加入");
    }
    std::wstring text = L"以下链接、文件夹和档案没有加入：";
    for (std::size_t i = 0; i < lines.size() && i < kListedLines; ++i) {
        text += kNewLine + lines[i];
    }
    text += MoreLines(lines.size());
    return Message(owner, std::move(text), L"增加目录", MB_OK | MB_ICONWARNING);
}

dialogs::MessageRequest FilesNotAdded(HWND owner, const std::vector<UnreadableFile>& files) {
    std::wstring text = L"以下档案无法读取，没有加入：";
    for (std::size_t i = 0; i < files.size() && i < kListedLines; ++i) {
        text += kNewLine + files[i].path + L"：" + ReasonText(files[i].error);
    }
    text += MoreLines(files.size());
    return Message(owner, std::move(text), L"增加档案", MB_OK | MB_ICONWARNING);
}

dialogs::MessageRequest NamesClash(HWND owner, const std::vector<NameClash>& clashes) {
    std::wstring text = L"以下档案会保存为同一个名字，全部没有加入：";
    for (std::size_t i = 0; i < clashes.size() && i < kListedLines; ++i) {
        text += kNewLine + WideFromPath(clashes[i].first) + L" 与 " + WideFromPath(clashes[i].second) + L"（" +
                clashes[i].storedName + L"）";
    }
    text += MoreLines(clashes.size());
    return Message(owner, std::move(text), L"增加档案", MB_OK | MB_ICONWARNING);
}

namespace {

constexpr wchar_t kAppendTitle[] = L"附加档案内容";
constexpr wchar_t kLargestArchive[] = L"2,147,483,647";

std::wstring AppendSkipText(const AppendOutcome& outcome) {
    switch (outcome.skip) {
    case AppendSkip::Unreadable: return L"无法读取：" + ReasonText(outcome.error);
    case AppendSkip::ArchiveTooLarge: return L"写入后PAK文件会超过" + std::wstring(kLargestArchive) + L"字节";
    }
    return L"没有写入";
}

} // namespace

dialogs::MessageRequest AppendTooLarge(HWND owner, const AppendRefused& refused) {
    return Message(owner,
                   WideFromPath(refused.Archive()) + kNewLine + L"附加这些档案后PAK文件会有 " +
                       DecimalText(refused.WouldBe()) + L" 字节，超过" + kLargestArchive + L"字节的上限。" + kNewLine +
                       kNewLine + L"没有写入任何内容；PAK文件没有改变。",
                   kAppendTitle, MB_OK | MB_ICONSTOP);
}

dialogs::MessageRequest AppendFailed(HWND owner, const std::filesystem::path& archive, const FileError& error) {
    std::wstring text = WideFromPath(archive) + L" 无法写入！" + kNewLine + ReasonText(error.Code());
    if (error.Path() != archive) {
        text += kNewLine + WideFromPath(error.Path());
    }
    return Message(owner, std::move(text) + kNewLine + kNewLine + L"附加没有完成。", kAppendTitle, MB_OK | MB_ICONSTOP);
}

dialogs::MessageRequest FilesNotAppended(HWND owner, const std::vector<AppendOutcome>& outcomes) {
    std::wstring text = L"以下档案没有写入PAK文件：";
    std::size_t listed = 0;
    std::size_t skipped = 0;
    for (const AppendOutcome& outcome : outcomes) {
        if (outcome.block) {
            continue;
        }
        ++skipped;
        if (listed < kListedLines) {
            text += kNewLine + WideFromPath(outcome.source) + L"：" + AppendSkipText(outcome);
            ++listed;
        }
    }
    text += MoreLines(skipped);
    return Message(owner, std::move(text), kAppendTitle, MB_OK | MB_ICONWARNING);
}

dialogs::MessageRequest UnsavedListQuestion(HWND owner) {
    return Message(owner, L"目前的文件还没有被保存为PAK。是否要保存？", L"保存？", MB_YESNOCANCEL | MB_ICONQUESTION);
}

dialogs::MessageRequest FileNotOpened(HWND owner, const std::filesystem::path& file, std::error_code error) {
    return Message(owner, L"无法打开 " + WideFromPath(file) + L"：" + ReasonText(error), L"打开",
                   MB_OK | MB_ICONWARNING);
}

dialogs::MessageRequest CopyChanged(HWND owner, const std::wstring& storedName) {
    return Message(owner, L"档案 " + Quoted(storedName) + L" 已经在其他程序中修改。是否把修改后的档案放入列表？",
                   L"打开", MB_YESNO | MB_ICONQUESTION);
}

dialogs::MessageRequest CopyChangedAtClose(HWND owner, const std::wstring& storedName) {
    return Message(
        owner, L"档案 " + Quoted(storedName) + L" 已经在其他程序中修改，还没有放入列表。是否把修改后的档案放入列表？",
        L"保存？", MB_YESNOCANCEL | MB_ICONQUESTION);
}

dialogs::MessageRequest AppendedContentWouldBeDropped(HWND owner, const std::filesystem::path& archive,
                                                      const std::vector<ByteRange>& dropped) {
    std::wstring ranges;
    std::int64_t total = 0;
    for (const ByteRange& range : dropped) {
        ranges += (ranges.empty() ? L"第 " : L"、第 ") + DecimalText(range.first) + L" 至 " +
                  DecimalText(range.Last()) + L" 字节";
        total += range.Size();
    }
    std::wstring text = WideFromPath(archive.filename()) + L" 含有不属于文件头、索引和档案内容的字节（" + ranges +
                        L"，共 " + DecimalText(total) + L" 字节），新的PAK文件不会保留这些内容。" + kNewLine +
                        L"是否放弃这些内容并继续？";
    return Message(owner, std::move(text), L"另存为PAK", MB_YESNO | MB_ICONQUESTION);
}

namespace {

// What the system said, in its words; for a fault of the program itself, what the program knows of it,
// which only its developers read.
std::wstring FailureText(std::exception_ptr error) {
    try {
        if (error) {
            std::rethrow_exception(error);
        }
    } catch (const FileError& e) {
        return WideFromPath(e.Path()) + L"：" + ReasonText(e.Code());
    } catch (const std::filesystem::filesystem_error& e) {
        return (e.path1().empty() ? L"" : WideFromPath(e.path1()) + L"：") + ReasonText(e.code());
    } catch (const std::system_error& e) {
        return ReasonText(e.code());
    } catch (const std::bad_alloc&) {
        return SystemErrorText(ERROR_NOT_ENOUGH_MEMORY);
    } catch (const win32::RaisedError& e) {
        // Its description may be a class's own English text: the number and the class say enough.
        return L"程序内部的错误：" + e.Source() + L" 错误 " + DecimalText(static_cast<long long>(e.Number()));
    } catch (const std::exception& e) {
        return L"程序内部的错误：" + WideFromUtf8(e.what());
    } catch (...) {
    }
    return {};
}

dialogs::MessageRequest Failure(HWND owner, std::wstring text, std::exception_ptr error) {
    if (std::wstring reason = FailureText(error); !reason.empty()) {
        text += kNewLine + reason;
    }
    return Message(owner, std::move(text), L"Quarrow", MB_OK | MB_ICONSTOP);
}

} // namespace

dialogs::MessageRequest UnexpectedError(HWND owner, std::exception_ptr error) {
    return Failure(owner, L"发生了意外的错误，命令没有完成。", error);
}

dialogs::MessageRequest StartFailed(std::exception_ptr error) { return Failure(nullptr, L"Quarrow 无法启动。", error); }

} // namespace quarrow::app
