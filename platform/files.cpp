// Byte streams over files and memory, and folder helpers with letter-case
// insensitive path resolution.
#include "platform/files_internal.h"
#include "platform/stream_internal.h"

#include <cstring>
#include <map>

// ---------------------------------------------------------------------------
// Path resolution

namespace {

// Folder listings by folder path. Kept small; a listing is re-read whenever it
// does not hold the name asked for, so a stale entry can only cost time.
std::map<std::string, std::vector<std::string>> gDirCache;
constexpr size_t kDirCacheMax = 64;

unsigned char foldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32; // Latin-1 capitals
    return c;
}

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    return true;
}

bool pathExists(const std::string& path) { return OsKindOfPath(path, false) != OsPathKind::None; }

const std::vector<std::string>& listFolder(const std::string& dir, bool refresh) {
    auto it = gDirCache.find(dir);
    if (it != gDirCache.end() && !refresh) return it->second;
    if (it == gDirCache.end() && gDirCache.size() >= kDirCacheMax) gDirCache.clear();
    std::vector<std::string>& names = gDirCache[dir];
    names = OsListFolder(dir.empty() ? "." : dir);
    return names;
}

// The entry of dir whose name equals name without regard to case; "" when none.
std::string findInFolder(const std::string& dir, const std::string& name) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (const std::string& entry : listFolder(dir, attempt == 1)) {
            if (sameNameIgnoringCase(entry, name) && pathExists((dir.empty() ? "" : dir + "/") + entry))
                return entry;
        }
    }
    return "";
}

// Splits on '/' and '\'; empty components (doubled separators) are dropped.
std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : path) {
        if (c == '/' || c == '\\') {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

} // namespace

void InvalidatePathCache() { gDirCache.clear(); }

std::string ResolvePath(const std::string& path) {
    if (path.empty()) return path;
    const bool absolute = path[0] == '/' || path[0] == '\\';
    const char last = path.back();
    const bool trailing = last == '/' || last == '\\';
    std::vector<std::string> parts = splitPath(path);

    std::string out = absolute ? "/" : "";
    bool matching = true;
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        std::string base = out.empty() ? "" : (out == "/" ? "/" : out + "/");
        std::string name = part;
        if (matching && part != "." && part != ".." && !pathExists(base + part)) {
            // The folder to search: out without its trailing separator.
            std::string dir = out == "/" ? "/" : out;
            std::string found = findInFolder(dir, part);
            if (!found.empty())
                name = found;
            else
                matching = false; // later components cannot exist either
        }
        out = base + name;
    }
    if (trailing && !out.empty() && out.back() != '/') out += '/';
    if (out.empty()) out = absolute ? "/" : "";
    return out;
}

int IsFolder(const std::string& path) {
    std::string p = ResolvePath(path);
    if (p.empty()) p = ".";
    return OsKindOfPath(p, true) == OsPathKind::Folder ? 1 : 0;
}

int IsWritableFolder(const std::string& path) {
    std::string p = ResolvePath(path);
    if (p.empty()) p = ".";
    return IsFolder(p) && OsFolderIsWritable(p) ? 1 : 0;
}

int FileExists(const std::string& path) {
    std::string p = ResolvePath(path);
    return !p.empty() && OsKindOfPath(p, true) == OsPathKind::File ? 1 : 0;
}

int MakeFolder(const std::string& path, int recurse) {
    std::string resolved = ResolvePath(path);
    while (resolved.size() > 1 && resolved.back() == '/') resolved.pop_back();
    if (resolved.empty()) return 0;
    InvalidatePathCache();
    if (recurse) {
        // Create each missing ancestor in turn; ResolvePath already matched
        // the existing ones, so their spelling is the one on disk.
        for (size_t i = 1; i < resolved.size(); ++i) {
            if (resolved[i] != '/') continue;
            std::string prefix = resolved.substr(0, i);
            if (!OsMakeOneFolder(prefix)) return 0;
        }
    }
    if (!OsMakeOneFolder(resolved)) return 0;
    return IsFolder(resolved);
}

int RemoveUnfinishedWrites(const std::string& folder) {
    std::string dir = ResolvePath(folder);
    if (dir.empty()) dir = ".";
    int removed = 0;
    for (const std::string& name : OsListFolder(dir)) {
        // The names Stream::forWriting gives: target + ".tmp" + six characters.
        if (name.size() <= 10 || name.compare(name.size() - 10, 4, ".tmp") != 0) continue;
        const std::string path = dir + (dir.back() == '/' ? "" : "/") + name;
        if (OsKindOfPath(path, false) == OsPathKind::File && OsRemoveFile(path)) removed++;
    }
    if (removed) InvalidatePathCache();
    return removed;
}

// ---------------------------------------------------------------------------
// Stream

StreamPtr Stream::forReading(std::vector<uint8_t> bytes) {
    StreamPtr s(new Stream());
    s->mode_ = Mode::Read;
    s->data_ = std::move(bytes);
    return s;
}

StreamPtr Stream::forWriting(const std::string& target) {
    std::string tmpl;
    FILE* f = OsCreateTempFile(target, tmpl);
    if (!f) return nullptr;
    StreamPtr s(new Stream());
    s->mode_ = Mode::Write;
    s->file_ = f;
    s->tempPath_ = tmpl;
    s->targetPath_ = target;
    return s;
}

Stream::~Stream() { discard(); }

void StreamDeleter::operator()(Stream* s) const { delete s; }

void Stream::discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
        OsRemoveFile(tempPath_);
    }
}

size_t Stream::readSome(void* buffer, size_t n) {
    if (mode_ != Mode::Read) return 0;
    size_t left = data_.size() - pos_;
    if (n > left) n = left;
    if (n) std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

void Stream::readExact(void* buffer, size_t n) {
    if (mode_ != Mode::Read) throw StreamError("read from a write stream");
    if (n > data_.size() - pos_)
        throw StreamError("read of " + std::to_string(n) + " bytes at " + std::to_string(pos_) +
                          " runs past the end (" + std::to_string(data_.size()) + " bytes)");
    if (n) std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
}

void Stream::write(const void* bytes, size_t n) {
    if (mode_ != Mode::Write || !file_ || n == 0) return;
    if (std::fwrite(bytes, 1, n, file_) != n) failed_ = true;
    written_ += n;
}

bool Stream::commit() {
    if (mode_ != Mode::Write) return true;
    if (!file_) return false;
    bool ok = !failed_ && OsFlushToDisk(file_);
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (ok) ok = OsReplaceFile(tempPath_, targetPath_);
    if (!ok) {
        OsRemoveFile(tempPath_);
        return false;
    }
    InvalidatePathCache();
    OsSaveStored(targetPath_);
    return true;
}

// ---------------------------------------------------------------------------
// Stream operations

StreamPtr OpenRead(const std::string& path) {
    std::string p = ResolvePath(path);
    std::vector<uint8_t> bytes;
    if (p.empty() || !OsReadFile(p, bytes)) return nullptr;
    return Stream::forReading(std::move(bytes));
}

StreamPtr OpenWrite(const std::string& path) {
    std::string p = ResolvePath(path);
    if (p.empty() || p.back() == '/') return nullptr;
    if (IsFolder(p)) return nullptr;
    return Stream::forWriting(p);
}

StreamPtr OpenMemory(const std::vector<uint8_t>& bytes) { return Stream::forReading(bytes); }

bool Close(StreamPtr& stream) {
    if (!stream) return false;
    bool ok = stream->commit();
    stream.reset();
    return ok;
}

int Eof(Stream* s) { return !s || s->atEnd() ? 1 : 0; }

int32_t ReadInt(Stream* s) {
    if (!s) return 0;
    uint8_t b[4];
    s->readExact(b, 4);
    uint32_t v = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    return static_cast<int32_t>(v);
}

void WriteInt(Stream* s, int32_t v) {
    if (!s) return;
    uint32_t u = static_cast<uint32_t>(v);
    uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    s->write(b, 4);
}

uint8_t ReadByte(Stream* s) {
    if (!s) return 0;
    uint8_t b;
    s->readExact(&b, 1);
    return b;
}

size_t ReadBytes(Stream* s, void* buffer, size_t n) { return s ? s->readSome(buffer, n) : 0; }

std::string ReadString(Stream* s, int n) {
    if (!s) return "";
    if (n < 0) throw StreamError("negative string length " + std::to_string(n));
    // Checked before allocating: a damaged length field must not ask for gigabytes.
    if (static_cast<size_t>(n) > s->remaining())
        throw StreamError("string of " + std::to_string(n) + " bytes runs past the end");
    std::string text(static_cast<size_t>(n), '\0');
    s->readExact(text.data(), text.size());
    return text;
}

void WriteString(Stream* s, const std::string& text) {
    if (s) s->write(text.data(), text.size());
}

std::string ReadLine(Stream* s) {
    std::string line;
    if (!s) return line;
    for (int c = s->peek(); c >= 0; c = s->peek()) {
        s->skip(1);
        if (c == 10 || c == 0) break;
        if (c != 13) line += static_cast<char>(c);
    }
    return line;
}

void WriteLine(Stream* s, const std::string& text) {
    if (!s) return;
    s->write(text.data(), text.size());
    s->write("\r\n", 2);
}

size_t StreamPos(Stream* s) { return s ? s->pos() : 0; }
size_t StreamSize(Stream* s) { return s ? s->size() : 0; }
