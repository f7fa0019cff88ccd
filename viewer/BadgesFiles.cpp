#include "Badges.h"

#include <QFile>
#include <array>
#include <cstring>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace Badges {
namespace {

struct InputFile {
    std::FILE* file = nullptr;
    std::array<char, kMaxLineBytes> buffer{};  // one block holds the longest line kept
    std::size_t position = 0;
    std::size_t end = 0;
    bool skipLineFeed = false;  // the previous line ended in CR: a following LF belongs to it
    std::string spanning;       // a line that runs past the buffer's end is gathered here
    // Where the next CR and LF at or after position stand (end when none; kUnknown after a refill):
    // each is searched for once per occurrence, so files of either line end are read in one pass.
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    std::size_t nextReturn = kUnknown;
    std::size_t nextLineFeed = kUnknown;

    ~InputFile() { std::fclose(file); }

    bool refill() {
        position = 0;
        end = std::fread(buffer.data(), 1, buffer.size(), file);
        nextReturn = nextLineFeed = kUnknown;
        return end > 0;
    }

    std::size_t next(char wanted, std::size_t& cached) const {
        if (cached == kUnknown || cached < position) {
            const void* found = std::memchr(buffer.data() + position, wanted, end - position);
            cached = found ? static_cast<std::size_t>(static_cast<const char*>(found) - buffer.data()) : end;
        }
        return cached;
    }

    // Index of the line end (CR or LF) at or after position, or end.
    std::size_t lineEnd() { return std::min(next('\r', nextReturn), next('\n', nextLineFeed)); }
};

// Handle n lives at index n; index 0 is never used, as 0 means "not opened".
std::array<std::unique_ptr<InputFile>, 512> openFiles;

InputFile* inputFile(int handle) {
    if (handle <= 0 || handle >= static_cast<int>(openFiles.size())) return nullptr;
    return openFiles[handle].get();
}

// Opening without blocking keeps a named pipe without a writer from hanging the viewer; reads
// block again afterwards.
std::FILE* openReadOnly(const QString& path) {
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(descriptor, "rb");
    if (!file) ::close(descriptor);
    return file;
}

}  // namespace

int OpenForInput(const QString& path) {
    if (path.isEmpty()) return 0;
    for (int handle = 1; handle < static_cast<int>(openFiles.size()); ++handle) {
        if (openFiles[handle]) continue;
        std::FILE* file = openReadOnly(path);
        if (!file) return 0;
        openFiles[handle] = std::make_unique<InputFile>();
        openFiles[handle]->file = file;
        return handle;
    }
    return 0;
}

bool FileExists(const QString& path) {
    const int handle = OpenForInput(path);
    if (handle == 0) return false;
    CloseInput(handle);
    return true;
}

void CloseInput(int handle) {
    if (inputFile(handle)) openFiles[handle].reset();
}

LineResult ReadInputLine(int handle, std::string_view& line) {
    line = std::string_view();
    InputFile* input = inputFile(handle);
    if (!input) return LineResult::Error;
    // Most lines lie wholly in the buffer and are handed out where they stand.
    input->spanning.clear();
    bool anyByte = false;
    for (;;) {
        if (input->position == input->end && !input->refill()) {
            if (std::ferror(input->file)) return LineResult::Error;
            line = input->spanning;
            return anyByte ? LineResult::Line : LineResult::End;
        }
        if (input->skipLineFeed) {
            input->skipLineFeed = false;
            if (input->buffer[input->position] == '\n') {
                ++input->position;
                continue;
            }
        }
        const std::size_t stop = input->lineEnd();
        anyByte = true;
        const std::string_view piece(input->buffer.data() + input->position, stop - input->position);
        input->position = stop == input->end ? stop : stop + 1;
        if (stop == input->end || !input->spanning.empty()) {
            input->spanning.append(piece.substr(0, kMaxLineBytes - input->spanning.size()));
            if (stop == input->end) continue;
            line = input->spanning;
        } else {
            line = piece;
        }
        input->skipLineFeed = input->buffer[stop] == '\r';
        return LineResult::Line;
    }
}

}  // namespace Badges
