// Windows paths onto the host file system, UTF-16 names onto UTF-8 ones, wildcard matching.
#include "platform/sim/sim_path.h"

#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/sim/sim_file.h"
#include "platform/sim/sim_file_errors.h"

namespace {

std::atomic<bool> g_cut_long_names{false};

// The longest name the host takes, in bytes.
constexpr size_t kHostNameBytes = 255;

} // namespace

void sim::CutLongNames(bool on) {
    g_cut_long_names = on;
}

namespace sim::detail {

namespace {

char16_t FoldCase(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// Characters that no Windows file name may hold.
bool IsRefused(char16_t c, bool wildcards) {
    if (c < 32)
        return true;
    switch (c) {
    case u'<':
    case u'>':
    case u':':
    case u'"':
    case u'|':
        return true;
    case u'*':
    case u'?':
        return !wildcards;
    default:
        return false;
    }
}

std::vector<std::u16string> SplitHost(const std::string& host) {
    std::vector<std::u16string> parts;
    size_t i = 0;
    while (i < host.size()) {
        size_t j = host.find('/', i);
        if (j == std::string::npos)
            j = host.size();
        if (j > i)
            parts.push_back(Utf8ToUtf16(std::string_view(host).substr(i, j - i)));
        i = j + 1;
    }
    return parts;
}

bool Exists(const std::string& host) {
    struct stat st;
    return lstat(host.c_str(), &st) == 0;
}

// The entry of `dir` whose name equals `name` without case distinction, or `name` itself.
std::string ResolveSegment(const std::string& dir, const std::string& name) {
    std::string exact = dir == "/" ? "/" + name : dir + "/" + name;
    if (Exists(exact))
        return name;
    DIR* d = opendir(dir.c_str());
    if (d == nullptr)
        return name;
    std::u16string wanted = Utf8ToUtf16(name);
    std::string found = name;
    while (dirent* e = readdir(d)) {
        if (EqualNoCase(Utf8ToUtf16(e->d_name), wanted)) {
            found = e->d_name;
            break;
        }
    }
    closedir(d);
    return found;
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp = 0xFFFD;
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) {
            ++i;
        } else {
            cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
            bool good = true;
            for (size_t k = 1; k < n; ++k) {
                unsigned char t = static_cast<unsigned char>(s[i + k]);
                if ((t >> 6) != 2)
                    good = false;
                cp = (cp << 6) | (t & 0x3F);
            }
            i += good ? n : 1;
            if (!good || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
                cp = 0xFFFD;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

bool Utf16ToUtf8(std::u16string_view s, std::string& out) {
    out.clear();
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00) {
            if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] >= 0xE000)
                return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[++i] - 0xDC00);
        } else if (cp >= 0xDC00 && cp < 0xE000) {
            return false;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return true;
}

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

bool MatchWildcard(std::u16string_view p, std::u16string_view n) {
    if (p == u"*.*")
        return true;
    // Iterative matching with one backtrack point: the last "*" seen.
    size_t pi = 0, ni = 0, star = std::u16string_view::npos, mark = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == u'*') {
            star = pi++;
            mark = ni;
        } else if (pi < p.size() && (p[pi] == u'?' || FoldCase(p[pi]) == FoldCase(n[ni]))) {
            ++pi;
            ++ni;
        } else if (star != std::u16string_view::npos) {
            pi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == u'*')
        ++pi;
    return pi == p.size();
}

HostPath ToHostPath(const WCHAR* path, bool wildcards) {
    HostPath r;
    if (path == nullptr) {
        r.error = ERROR_INVALID_PARAMETER;
        return r;
    }
    std::u16string p(path);
    if (p.empty()) {
        r.error = ERROR_PATH_NOT_FOUND;
        return r;
    }
    std::vector<std::u16string> parts;
    size_t start = 0;
    if (p.size() >= 2 && p[1] == u':') {
        if (FoldCase(p[0]) != u'Z') {
            // No such drive.
            r.error = ERROR_PATH_NOT_FOUND;
            return r;
        }
        start = 2;
        if (p.size() > 2 && IsSeparator(p[2]))
            start = 3;
        else {
            char cwd[4096];
            if (getcwd(cwd, sizeof cwd) != nullptr)
                parts = SplitHost(cwd);
        }
    } else if (IsSeparator(p[0])) {
        if (p.size() > 1 && IsSeparator(p[1])) {
            // A network path: there is no network here.
            r.error = ERROR_PATH_NOT_FOUND;
            return r;
        }
        start = 1;
    } else {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd) != nullptr)
            parts = SplitHost(cwd);
    }

    // Segments as written, then folded.
    std::vector<std::u16string> raw;
    size_t i = start;
    while (i <= p.size()) {
        size_t j = i;
        while (j < p.size() && !IsSeparator(p[j]))
            ++j;
        raw.push_back(p.substr(i, j - i));
        i = j + 1;
    }
    for (size_t k = 0; k < raw.size(); ++k) {
        std::u16string seg = raw[k];
        bool last = k + 1 == raw.size();
        if (seg == u"." || seg.empty())
            continue;
        if (seg == u"..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        for (char16_t c : seg) {
            if (IsRefused(c, wildcards && last)) {
                r.error = ERROR_INVALID_NAME;
                return r;
            }
        }
        while (!seg.empty() && (seg.back() == u'.' || seg.back() == u' '))
            seg.pop_back();
        if (!seg.empty())
            parts.push_back(seg);
    }

    // The full path as Windows would spell it, "Z:\a\b", must leave room for its terminator
    // in MAX_PATH units: paths without the extended prefix are limited so on Windows.
    size_t length = parts.empty() ? 3 : 2;
    for (const std::u16string& part : parts)
        length += 1 + part.size();
    if (length >= MAX_PATH) {
        r.error = ERROR_FILENAME_EXCED_RANGE;
        return r;
    }

    std::string host;
    for (size_t k = 0; k < parts.size(); ++k) {
        std::string name;
        if (!Utf16ToUtf8(parts[k], name)) {
            r.error = ERROR_INVALID_NAME;
            return r;
        }
        if (g_cut_long_names && name.size() > kHostNameBytes) {
            size_t keep = kHostNameBytes;
            while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
                --keep;
            name.resize(keep);
        }
        bool pattern = wildcards && k + 1 == parts.size();
        if (!pattern)
            name = ResolveSegment(host.empty() ? "/" : host, name);
        host += "/" + name;
    }
    r.ok = true;
    r.path = host.empty() ? "/" : host;
    return r;
}

std::u16string HostToWindowsPath(const std::string& host) {
    std::u16string out = u"Z:";
    std::u16string rest = Utf8ToUtf16(host);
    for (char16_t& c : rest)
        if (c == u'/')
            c = u'\\';
    if (rest.empty() || rest[0] != u'\\')
        out += u'\\';
    out += rest;
    if (out.size() > 3 && out.back() == u'\\')
        out.pop_back();
    return out;
}

DWORD ErrorFromErrno(int err, const std::string& host) {
    switch (err) {
    case ENOENT: {
        size_t slash = host.rfind('/');
        std::string dir = slash == 0 ? "/" : host.substr(0, slash);
        struct stat st;
        if (stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            return ERROR_FILE_NOT_FOUND;
        return ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENAMETOOLONG:
        return ERROR_FILENAME_EXCED_RANGE;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case EINVAL:
        return ERROR_INVALID_NAME;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

} // namespace sim::detail
