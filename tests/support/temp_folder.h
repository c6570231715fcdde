// A fresh folder under the system's temporary folder for one test, removed with everything in
// it when the test ends. On the host build that is a Windows path on drive Z:, under Wine a
// real Windows path: the same test code runs against both.
#pragma once

#include <string>

#include "platform/platform.h"

using WString = std::basic_string<WCHAR>;

// UTF-16 text for a test's failure messages.
std::string Narrow(const WString& text);

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing backslash.
    const WString& Path() const { return m_path; }
    // Path() + "\" + name.
    WString operator/(const WString& name) const { return m_path + TEXT("\\") + name; }

    // Writes the bytes to the file, replacing it. False when the file cannot be written.
    static bool WriteBytes(const WString& path, const std::string& bytes);
    // The file's bytes; `ok` false when it cannot be opened.
    static std::string ReadBytes(const WString& path, bool* ok = nullptr);

private:
    static void RemoveTree(const WString& path);
    WString m_path;
};
