// Whole-file reads and atomic whole-file replacement, shared by every writer of
// the program's files (settings, per-note settings, notes).
//
// A replacement writes the new bytes to a temporary file in the target's own
// folder, flushes it to the disk, then renames it over the target, so the
// target holds either all of its old content or all of the new one, never a
// mix. Temporary files are named "<target name>.~tmp<8 lowercase hex digits>";
// a crash between the write and the rename can leave one behind, which the
// removeStaleTemporaries functions delete.
//
// On Windows std::filesystem::rename is MoveFileExW with
// MOVEFILE_REPLACE_EXISTING, which replaces an existing file in one step.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quivra::base {

// Replaces the target's content with `bytes`, creating the file if it does not
// exist. Throws quivra::UserError ("Unable to write to <target>") when the
// folder is missing, the target is read-only or not a regular file, or any
// step fails; the target then keeps its old content and no temporary file
// stays behind. The permissions of an existing target are carried over.
void replaceFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Asked right before the written and flushed temporary is renamed over the
// target: false leaves the target as it is, the temporary goes, and the
// replacement throws ReplacementAbandoned. So a writer may check that the
// file it is about to replace is still the one it read.
using BeforeRename = std::function<bool(const std::filesystem::path& temporary)>;
struct ReplacementAbandoned : std::runtime_error {
    ReplacementAbandoned() : std::runtime_error("the file changed before it was replaced") {}
};
void replaceFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                           const BeforeRename& beforeRename);

// Writes a new file atomically (temporary, flush, then a rename that never
// replaces): false, and nothing written, when a file of that name exists,
// also one made meanwhile by another program. Throws as
// replaceFileAtomically does for every other failure.
bool createFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// The file's bytes, or nullopt with `ec` set when it cannot be opened or read.
// Paths outside the ANSI code page work on Windows too.
std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::error_code& ec);

// True for a file name of the form replaceFileAtomically gives its temporaries.
bool isAtomicTemporaryName(const std::filesystem::path& fileName);

// The temporaries of ours in the folder (files only), in no particular order.
std::vector<std::filesystem::path> findTemporariesIn(const std::filesystem::path& folder);

// The file name a temporary was meant to replace: its name less the marker
// and the random digits. Names of targets too long to fit in a temporary's
// name come back cut as tempPrefix cut them.
std::filesystem::path temporaryTargetName(const std::filesystem::path& temporaryFileName);

// Deletes the temporaries that interrupted replacements of this one target
// left in its folder. Errors are ignored.
void removeStaleTemporaries(const std::filesystem::path& target);

// Deletes every temporary of ours in the folder, whatever file it was meant to
// replace. Other files are kept. Errors are ignored.
void removeStaleTemporariesIn(const std::filesystem::path& folder);

// Test seam: when set, replaceFileAtomically calls the hook after the temporary
// file has been written and flushed and before it is renamed over the target.
// Returning false makes the replacement fail there as a refused rename would.
// Only tests set it; pass nullptr to remove it.
using BeforeReplaceHook = bool (*)(const std::filesystem::path& temporary,
                                   const std::filesystem::path& target);
void setBeforeReplaceHookForTesting(BeforeReplaceHook hook) noexcept;

} // namespace quivra::base
