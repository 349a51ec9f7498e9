#pragma once
// The append-content window ("附加档案内容"): the user lists files from disk whose contents Start copies
// behind the end of the current archive, and then reads in the same list where each file's bytes
// landed. Modeless, owned by and centred on the main window, one at a time; closing it discards the
// list. Its commands take the main window's busy flag, so that no command of either window runs under
// another.

#include "AddContentRows.hpp"
#include "BusyFlag.hpp"
#include "SecondaryWindow.hpp"

#include "Gdi.hpp"
#include "ListView.hpp"

#include <windows.h>

#include <memory>
#include <string>
#include <system_error>

namespace quarrow::app {

class frmMain;

inline constexpr wchar_t kAddContentWindowClass[] = L"Quarrow.dlgAddContent";
inline constexpr wchar_t kAddContentCaption[] = L"附加档案内容";

// The identifiers of the window's controls.
enum class AddContentControl : int { lstFile = 100, cmdBrowse, cmdDel, cmdStart, cmdCancel, fraFiles };

class dlgAddContent final : public SecondaryWindow {
public:
    // Loads the window hidden, over `main`, which must outlive it: an empty list, only the browse and
    // cancel buttons usable. Throws std::system_error when the system refuses a window.
    explicit dlgAddContent(frmMain& main);
    ~dlgAddContent() override;

    // Shows the window, or brings it to the front when it shows already.
    void Show();

    // Adds one file to the list unless exactly that path (letters compared without regard to case) is
    // listed already. A file that cannot be opened to take its length is not added; the reason is
    // returned.
    [[nodiscard]] std::error_code AddContentItem(const std::wstring& path);

    HWND Control(AddContentControl control) const { return GetDlgItem(Handle(), static_cast<int>(control)); }
    components::ListView& lstFile() { return *lstFile_; }
    // True after a run, while column 2 shows where the files landed rather than their lengths.
    bool bResultsShown() const { return bResultsShown_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUnhandledException(std::exception_ptr error) override;
    HWND FocusTarget() const override;

private:
    void LoadControls();
    void RunCommand(AddContentControl button);
    void cmdBrowse_Click();
    void cmdDel_Click();
    void cmdStart_Click();
    void lstFile_KeyDown(WORD key);
    // Start and Delete are usable while the list holds rows.
    void EnableListButtons();

    frmMain& main_;
    AddContentRows rows_;
    bool bResultsShown_ = false;
    // This window's own command, which a close waits for.
    BusyFlag running_;
    bool closeWhenIdle_ = false;
    HWND lastFocus_ = nullptr; // the control that had the focus when the window was last deactivated
    win32::UniqueFont font_;
    std::unique_ptr<components::ListView> lstFile_;
};

} // namespace quarrow::app
