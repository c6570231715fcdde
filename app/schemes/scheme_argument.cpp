// The first argument of the command line.
#include "app/schemes/scheme_argument.h"

CWString SchemeArgument(const WCHAR* command_line) {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(command_line, &count);
    if (argv == nullptr)
        return CWString();
    CWString name;
    if (count > 1)
        name = CWString(argv[1]);
    LocalFree(argv);
    return name;
}
