#include "editor/insert_commands_win.h"

#include "win/clipboard_text_win.h"
#include "win/file_dialog_win.h"
#include "win/read_file_win.h"
#include "win/wide_win.h"

namespace quivra::editor {

namespace {

// The refresh stops for as long as the command runs, whatever its outcome.
class RefreshPause {
  public:
    explicit RefreshPause(program::Host& host) : host_(host) { host_.pauseRefresh(); }
    ~RefreshPause() { host_.resumeRefresh(); }
    RefreshPause(const RefreshPause&) = delete;
    RefreshPause& operator=(const RefreshPause&) = delete;

  private:
    program::Host& host_;
};

} // namespace

std::optional<std::wstring> chooseFile(program::Host& host, const wchar_t* filter,
                                       std::size_t filterLength) {
    win::FileDialogRequest OD; // the open dialog
    OD.filter.assign(filter, filterLength);
    OD.mustExist = false; // a typed name is taken as it is
    return win::fileDialog(host.mainWindow(), OD);
}

void OpenTextClick(program::Host& host, document::RichEdit& note) {
    const RefreshPause pause(host);
    const auto path = chooseFile(host, kOpenTextFilter, std::size(kOpenTextFilter) - 1);
    if (!path)
        return;
    const std::string bytes = win::readFileBytes(win::toU16(*path));
    note.loadFileBytes(bytes);
}

void N32Click(program::Host& host, document::RichEdit& note) {
    const RefreshPause pause(host);
    const auto path = chooseFile(host, kAllFilesFilter, std::size(kAllFilesFilter) - 1);
    if (path)
        note.replaceSelection(u"file:///" + win::toU16(*path));
}

void N22Click(program::Host& host, document::RichEdit& note) {
    // A clipboard another program keeps open is an error, not an empty
    // text: the selection must not go.
    std::u16string text = win::TextClipboard(host.mainWindow()).text().value_or(u"");
    note.replaceSelection(text);
}

} // namespace quivra::editor
