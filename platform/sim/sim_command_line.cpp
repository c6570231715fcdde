// The command line of the simulated process and CommandLineToArgvW.
#include "platform/sim/sim_command_line.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_module.h"
#include "platform/sim/sim_heap.h"

namespace {

std::mutex g_lock;
std::u16string* g_command_line = nullptr; // under g_lock; kept for the process's life

std::u16string ProgramName() {
    WCHAR path[1024];
    DWORD n = GetModuleFileNameW(nullptr, path, 1024);
    return std::u16string(reinterpret_cast<const char16_t*>(path), n < 1024 ? n : 0);
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::vector<std::u16string> Split(const char16_t* s) {
    std::vector<std::u16string> args;
    if (*s == 0) {
        args.push_back(ProgramName());
        return args;
    }
    // The program name: no escapes, only the quotes.
    std::u16string name;
    if (*s == u'"') {
        for (++s; *s != 0 && *s != u'"'; ++s)
            name += *s;
        if (*s == u'"')
            ++s;
    } else {
        for (; *s != 0 && !IsBlank(*s); ++s)
            name += *s;
    }
    args.push_back(name);
    while (IsBlank(*s))
        ++s;
    if (*s == 0)
        return args;
    std::u16string arg;
    int quotes = 0;     // 1 inside a quoted stretch
    size_t slashes = 0; // backslashes just before this unit
    while (*s != 0) {
        if (IsBlank(*s) && quotes == 0) {
            args.push_back(arg);
            arg.clear();
            while (IsBlank(*s))
                ++s;
            slashes = 0;
            if (*s == 0)
                return args;
        } else if (*s == u'\\') {
            arg += *s++;
            ++slashes;
        } else if (*s == u'"') {
            arg.resize(arg.size() - slashes / 2);
            if (slashes % 2 == 0) {
                ++quotes;
            } else {
                arg.back() = u'"';
            }
            ++s;
            slashes = 0;
            // Further quotes right after: every third of the run (counting the stretch's
            // opening one) is a literal quote.
            while (*s == u'"') {
                if (++quotes == 3) {
                    arg += u'"';
                    quotes = 0;
                }
                ++s;
            }
            if (quotes == 2)
                quotes = 0;
        } else {
            arg += *s++;
            slashes = 0;
        }
    }
    args.push_back(arg);
    return args;
}

} // namespace

LPWSTR GetCommandLineW() {
    std::lock_guard<std::mutex> guard(g_lock);
    if (g_command_line == nullptr)
        g_command_line = new std::u16string(u"\"" + ProgramName() + u"\"");
    return reinterpret_cast<LPWSTR>(g_command_line->data());
}

LPWSTR* CommandLineToArgvW(LPCWSTR command_line, int* count) {
    if (count == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<std::u16string> args =
        Split(command_line != nullptr ? reinterpret_cast<const char16_t*>(command_line) : u"");
    size_t bytes = (args.size() + 1) * sizeof(LPWSTR);
    for (const auto& a : args)
        bytes += (a.size() + 1) * sizeof(WCHAR);
    auto* block = static_cast<char*>(std::malloc(bytes));
    if (block == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto* argv = reinterpret_cast<LPWSTR*>(block);
    auto* text = reinterpret_cast<WCHAR*>(block + (args.size() + 1) * sizeof(LPWSTR));
    for (size_t i = 0; i < args.size(); ++i) {
        argv[i] = text;
        std::memcpy(text, args[i].c_str(), (args[i].size() + 1) * sizeof(WCHAR));
        text += args[i].size() + 1;
    }
    argv[args.size()] = nullptr;
    *count = static_cast<int>(args.size());
    return argv;
}

HLOCAL LocalFree(HLOCAL block) {
    std::free(block);
    return nullptr;
}

namespace sim {

void SetCommandLine(const std::u16string& command_line) {
    std::lock_guard<std::mutex> guard(g_lock);
    if (g_command_line == nullptr)
        g_command_line = new std::u16string(command_line);
    else
        *g_command_line = command_line;
}

} // namespace sim
