#include "base/atomic_file.h"

#include "base/errors.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quivra::base {

namespace fs = std::filesystem;

namespace {

using NativeString = fs::path::string_type;
using NativeChar = NativeString::value_type;

constexpr std::size_t kRandomDigits = 8;
// The longest file name the file systems we write to accept, in native units
// (UTF-16 code units on Windows, bytes elsewhere).
constexpr std::size_t kMaxFileName = 255;

std::atomic<BeforeReplaceHook> beforeReplaceHook{nullptr};

const NativeString& marker() {
    static const NativeString m = fs::path(u".~tmp").native();
    return m;
}

bool isLowerHex(NativeChar c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

bool endsWithRandomDigits(const NativeString& name, std::size_t from) {
    return name.size() == from + kRandomDigits &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(from), name.end(), isLowerHex);
}

// The target's file name, shortened so that a temporary named after it still
// fits in a file name: a note whose name is nearly as long as the file system
// allows must stay writable. The cut never splits a character.
NativeString tempPrefix(const fs::path& target) {
    NativeString name = target.filename().native();
    const std::size_t room = kMaxFileName - marker().size() - kRandomDigits;
    if (name.size() > room) {
        std::size_t cut = room;
#ifdef _WIN32
        if (name[cut - 1] >= 0xD800 && name[cut - 1] < 0xDC00) // high surrogate
            --cut;
#else
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut; // inside a UTF-8 sequence
#endif
        name.resize(cut);
    }
    return name + marker();
}

fs::path folderOf(const fs::path& target) {
    return target.parent_path().empty() ? fs::path(".") : target.parent_path();
}

fs::path tempCandidate(const fs::path& target) {
    thread_local std::mt19937_64 gen{
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    static constexpr char kHex[] = "0123456789abcdef";
    NativeString name = tempPrefix(target);
    auto bits = gen();
    for (std::size_t i = 0; i < kRandomDigits; ++i, bits >>= 4)
        name.push_back(static_cast<NativeChar>(kHex[bits & 0xF]));
    return target.parent_path() / name;
}

// A file descriptor of the C runtime, closed when it goes out of scope unless
// close() has been called (which reports whether closing worked).
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            close();
    }
    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
#ifdef _WIN32
        return _close(fd) == 0;
#else
        return ::close(fd) == 0;
#endif
    }

  private:
    int fd_;
};

// Creates the file; fails if anything of that name exists already, so two
// writers can never share a temporary.
int createExclusive(const fs::path& p) {
#ifdef _WIN32
    return _wopen(p.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

bool writeAll(int fd, std::string_view bytes) {
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    while (!bytes.empty()) {
        const std::size_t chunk = std::min(bytes.size(), kChunk);
#ifdef _WIN32
        const int n = _write(fd, bytes.data(), static_cast<unsigned>(chunk));
#else
        const auto n = ::write(fd, bytes.data(), chunk);
        if (n < 0 && errno == EINTR)
            continue;
#endif
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool flushToDisk(int fd) {
#ifdef _WIN32
    return _commit(fd) == 0;
#else
    return ::fsync(fd) == 0;
#endif
}

// Makes the rename itself durable where the folder can be flushed (POSIX). On
// Windows the rename is a metadata change the file system journals.
void flushFolder([[maybe_unused]] const fs::path& folder) {
#ifndef _WIN32
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
#endif
}

// Removes the temporary file unless it has been renamed into place.
class TempFileGuard {
  public:
    explicit TempFileGuard(fs::path p) : path_(std::move(p)) {}
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    ~TempFileGuard() {
        if (!path_.empty()) {
            std::error_code ec;
            fs::remove(path_, ec);
        }
    }
    const fs::path& path() const { return path_; }
    void release() { path_.clear(); }

  private:
    fs::path path_;
};

[[noreturn]] void failWrite(const fs::path& target) {
    throw unableToWrite(target.u16string());
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr openForReading(const fs::path& p) {
#ifdef _WIN32
    return FilePtr(_wfopen(p.c_str(), L"rb"));
#else
    return FilePtr(std::fopen(p.c_str(), "rb"));
#endif
}

std::error_code lastError() {
    return errno != 0 ? std::error_code(errno, std::generic_category())
                      : std::make_error_code(std::errc::io_error);
}

// The files of the folder whose names match.
template <class Match>
std::vector<fs::path> filesMatching(const fs::path& folder, Match&& matches) {
    std::error_code ec;
    std::vector<fs::path> found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (matches(it->path().filename().native()))
            found.push_back(it->path());
    std::erase_if(found, [](const fs::path& p) {
        std::error_code typeError;
        return fs::is_directory(fs::symlink_status(p, typeError));
    });
    return found;
}

template <class Match> void removeMatching(const fs::path& folder, Match&& matches) {
    for (const auto& p : filesMatching(folder, matches)) {
        std::error_code ec;
        fs::remove(p, ec);
    }
}

} // namespace

namespace {

enum class Placing { Replace, CreateNew };

// The temporary written, flushed and renamed into place; false when a new
// file's name was taken or `beforeRename` said no.
bool writeAndPlace(const fs::path& target, std::string_view bytes, Placing placing,
                   const BeforeRename& beforeRename) {
    std::error_code ec;
    const auto old = fs::status(target, ec);
    const bool exists = fs::exists(old);
    if (placing == Placing::CreateNew && exists)
        return false;
    if (exists && (!fs::is_regular_file(old) ||
                   (old.permissions() & fs::perms::owner_write) == fs::perms::none))
        failWrite(target);
    const fs::path folder = folderOf(target);
    if (!fs::is_directory(folder, ec))
        failWrite(target);

    std::optional<TempFileGuard> temp;
    std::optional<Descriptor> file;
    for (int attempt = 0; attempt < 8 && !file; ++attempt) {
        auto candidate = tempCandidate(target);
        errno = 0;
        const int fd = createExclusive(candidate);
        if (fd >= 0) {
            temp.emplace(std::move(candidate));
            file.emplace(fd);
        } else if (errno != EEXIST) {
            break; // the folder refuses new files; another name will not help
        }
    }
    if (!file)
        failWrite(target);
    const bool written = writeAll(file->get(), bytes) && flushToDisk(file->get());
    const bool closed = file->close();
    if (!written || !closed)
        failWrite(target);
#ifndef _WIN32
    // The replacement keeps the old file's mode. (On Windows a new file is
    // writable like the old one, which is refused above when it is not.)
    if (exists)
        fs::permissions(temp->path(), old.permissions(), ec); // best effort
#endif

    const auto hook = beforeReplaceHook.load();
    if (hook && !hook(temp->path(), target))
        failWrite(target);
    if (beforeRename && !beforeRename(temp->path()))
        return false;
    if (placing == Placing::CreateNew) {
        // A rename that fails where the name is taken: the C runtime's on
        // Windows (MoveFile), a hard link elsewhere.
#ifdef _WIN32
        errno = 0;
        if (_wrename(temp->path().c_str(), target.c_str()) != 0) {
            if (errno == EEXIST || errno == EACCES || fs::exists(target, ec))
                return false;
            failWrite(target);
        }
#else
        if (::link(temp->path().c_str(), target.c_str()) != 0) {
            if (errno == EEXIST)
                return false;
            failWrite(target);
        }
        fs::remove(temp->path(), ec);
#endif
    } else {
        fs::rename(temp->path(), target, ec);
        if (ec)
            failWrite(target);
    }
    temp->release();
    flushFolder(folder);
    return true;
}

} // namespace

void replaceFileAtomically(const fs::path& target, std::string_view bytes) {
    writeAndPlace(target, bytes, Placing::Replace, {});
}

void replaceFileAtomically(const fs::path& target, std::string_view bytes,
                           const BeforeRename& beforeRename) {
    if (!writeAndPlace(target, bytes, Placing::Replace, beforeRename))
        throw ReplacementAbandoned();
}

bool createFileAtomically(const fs::path& target, std::string_view bytes) {
    return writeAndPlace(target, bytes, Placing::CreateNew, {});
}

std::optional<std::string> readWholeFile(const fs::path& path, std::error_code& ec) {
    errno = 0;
    const FilePtr f = openForReading(path);
    if (!f) {
        ec = lastError();
        return std::nullopt;
    }
    std::string bytes;
    std::error_code sizeError;
    if (const auto size = fs::file_size(path, sizeError); !sizeError)
        bytes.reserve(static_cast<std::size_t>(size));
    char buffer[16384];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0)
        bytes.append(buffer, n);
    if (std::ferror(f.get())) {
        ec = lastError();
        return std::nullopt;
    }
    ec.clear();
    return bytes;
}

bool isAtomicTemporaryName(const fs::path& fileName) {
    const NativeString& name = fileName.native();
    if (name.size() < marker().size() + kRandomDigits + 1)
        return false;
    const std::size_t at = name.size() - kRandomDigits - marker().size();
    return name.compare(at, marker().size(), marker()) == 0 &&
           endsWithRandomDigits(name, at + marker().size());
}

std::vector<fs::path> findTemporariesIn(const fs::path& folder) {
    return filesMatching(folder,
                         [](const NativeString& name) { return isAtomicTemporaryName(name); });
}

fs::path temporaryTargetName(const fs::path& temporaryFileName) {
    const NativeString name = temporaryFileName.filename().native();
    if (!isAtomicTemporaryName(name))
        return {};
    return name.substr(0, name.size() - kRandomDigits - marker().size());
}

void removeStaleTemporaries(const fs::path& target) {
    const NativeString prefix = tempPrefix(target);
    removeMatching(folderOf(target), [&](const NativeString& name) {
        return name.compare(0, prefix.size(), prefix) == 0 &&
               endsWithRandomDigits(name, prefix.size());
    });
}

void removeStaleTemporariesIn(const fs::path& folder) {
    removeMatching(folder, [](const NativeString& name) { return isAtomicTemporaryName(name); });
}

void setBeforeReplaceHookForTesting(BeforeReplaceHook hook) noexcept {
    beforeReplaceHook.store(hook);
}

} // namespace quivra::base
