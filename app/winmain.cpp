// Windows GUI entry: hands the wide command line to main as narrow arguments in the ANSI code
// page, as a console entry would.
#include <windows.h>

#include <shellapi.h>

#include <vector>

int main(int argc, char **argv);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int argc = 0;
    wchar_t **wideArgv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!wideArgv)
        return -1;
    std::vector<std::vector<char>> narrow(size_t(argc));
    std::vector<char *> argv(size_t(argc) + 1, nullptr);
    for (int i = 0; i < argc; ++i) {
        const int length =
            WideCharToMultiByte(CP_ACP, 0, wideArgv[i], -1, nullptr, 0, nullptr, nullptr);
        narrow[size_t(i)].resize(size_t(length > 0 ? length : 1), '\0');
        if (length > 0)
            WideCharToMultiByte(CP_ACP, 0, wideArgv[i], -1, narrow[size_t(i)].data(), length,
                                nullptr, nullptr);
        argv[size_t(i)] = narrow[size_t(i)].data();
    }
    LocalFree(wideArgv);
    return main(argc, argv.data());
}
