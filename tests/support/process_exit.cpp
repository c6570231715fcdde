// The Windows side of EXPECT_PROCESS_EXIT: starting this program again for one statement of the
// current test, and reading how it ended.
#include "tests/support/process_exit.h"

#if defined(KEYSEQ_PLATFORM_WIN32)

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

namespace process_exit {

namespace {

constexpr const WCHAR* kVariable = L"KEYSEQ_EXIT_CHILD";
constexpr DWORD kChildTimeoutMs = 120'000;

std::wstring Widen(const std::string& text) {
    std::wstring wide;
    for (char c : text)
        wide += static_cast<WCHAR>(static_cast<unsigned char>(c)); // test names are ASCII
    return wide;
}

std::string LastError(const char* what) {
    return std::string(what) + " failed, error " + std::to_string(GetLastError());
}

// The child's output: a temporary file that the child inherits as stdout and stderr.
class OutputFile {
public:
    OutputFile() {
        WCHAR folder[MAX_PATH + 1];
        DWORD n = GetTempPathW(MAX_PATH + 1, folder);
        if (n == 0 || n > MAX_PATH || GetTempFileNameW(folder, L"kx", 0, m_path) == 0) {
            m_path[0] = 0;
            return;
        }
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        m_handle = CreateFileW(m_path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    }
    ~OutputFile() {
        Close();
        if (m_path[0] != 0)
            DeleteFileW(m_path);
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Handle() const { return m_handle; }
    void Close() {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    std::string Read() const {
        std::string text;
        HANDLE h = CreateFileW(m_path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return "(the child's output could not be read: " + LastError("CreateFileW") + ")";
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(h, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            text.append(buffer, got);
        CloseHandle(h);
        return text;
    }

private:
    WCHAR m_path[MAX_PATH + 1] = {};
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

// Sets the variable for the children started meanwhile, and removes it again.
class ChildVariable {
public:
    explicit ChildVariable(int index) {
        SetEnvironmentVariableW(kVariable, std::to_wstring(index).c_str());
    }
    ~ChildVariable() { SetEnvironmentVariableW(kVariable, nullptr); }
    ChildVariable(const ChildVariable&) = delete;
    ChildVariable& operator=(const ChildVariable&) = delete;
};

} // namespace

int ChildStatementIndex() {
    static const int index = [] {
        WCHAR value[16];
        DWORD n = GetEnvironmentVariableW(kVariable, value, 16);
        if (n == 0 || n >= 16)
            return -1;
        return static_cast<int>(std::wcstol(value, nullptr, 10));
    }();
    return index;
}

int NextStatementIndex() {
    static const ::testing::TestInfo* test = nullptr;
    static int next = 0;
    const ::testing::TestInfo* current = ::testing::UnitTest::GetInstance()->current_test_info();
    if (current != test) {
        test = current;
        next = 0;
    }
    return next++;
}

void StatementReturned() {
    std::fflush(nullptr);
    // Straight out: neither the rest of the test nor the program's exit handlers may run.
    TerminateProcess(GetCurrentProcess(), kStatementReturned);
    std::abort(); // not reached
}

ChildRun RunChild(int index) {
    ChildRun run;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    WCHAR self[MAX_PATH + 1];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
    if (test == nullptr || n == 0 || n > MAX_PATH) {
        run.failure = "the test program's own path or test is unknown";
        return run;
    }
    OutputFile output;
    if (!output.IsOpen()) {
        run.failure = LastError("creating the child's output file");
        return run;
    }
    std::wstring line = L"\"" + std::wstring(self, n) + L"\" --gtest_filter=" +
                        Widen(test->test_suite_name()) + L"." + Widen(test->name());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = output.Handle();
    startup.hStdError = output.Handle();
    PROCESS_INFORMATION process{};
    BOOL started;
    {
        ChildVariable variable(index);
        started = CreateProcessW(self, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                 &startup, &process);
    }
    if (!started) {
        run.failure = LastError("CreateProcessW");
        return run;
    }
    CloseHandle(process.hThread);
    // Only the child holds the file now: its output is whole once it has ended.
    output.Close();
    DWORD waited = WaitForSingleObject(process.hProcess, kChildTimeoutMs);
    DWORD status = 0;
    if (waited != WAIT_OBJECT_0) {
        run.failure = waited == WAIT_TIMEOUT ? "the child did not end within two minutes"
                                             : LastError("WaitForSingleObject");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10'000);
    } else if (!GetExitCodeProcess(process.hProcess, &status)) {
        run.failure = LastError("GetExitCodeProcess");
    } else {
        run.ended = true;
        run.status = static_cast<int>(status);
    }
    CloseHandle(process.hProcess);
    run.output = output.Read();
    if (!run.ended)
        run.failure += "\n" + run.output;
    return run;
}

} // namespace process_exit

#endif
