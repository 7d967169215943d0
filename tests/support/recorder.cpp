// recorder.exe LOGFILE [ARGS...]: a program for the tests to start. It
// appends one line to LOGFILE: its command line, current directory and the
// show state it was started with, then ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(cwd), cwd);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    GetStartupInfoA(&si);
    const int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
    std::FILE* log = std::fopen(argv[1], "a");
    if (!log) return 3;
    std::fprintf(log, "%s\t%s\t%d\n", GetCommandLineA(), cwd, show);
    std::fclose(log);
    return 0;
}
