// Stands in for the programs the shell starts in the lists' tests: appends its
// command line (UTF-16) and a newline to "opened.txt" beside itself.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t* slash = wcsrchr(path, L'\\');
    if (n == 0 || !slash || slash - path + 12 >= MAX_PATH) return 1;
    wcscpy(slash + 1, L"opened.txt");
    FILE* file = _wfopen(path, L"ab");
    if (!file) return 1;
    const wchar_t* line = GetCommandLineW();
    fwrite(line, sizeof(wchar_t), wcslen(line), file);
    fwrite(L"\n", sizeof(wchar_t), 1, file);
    fclose(file);
    return 0;
}
