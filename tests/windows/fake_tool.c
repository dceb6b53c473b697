/* A stand-in for adb.exe / fastboot.exe: appends one line, its own name and its arguments as the
   C runtime split them, each after one blank, to tool-log.txt beside itself, then ends. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

int main(int argc, char* argv[]) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 2;
    }
    char* name = strrchr(path, '\\');
    if (name == NULL) {
        return 2;
    }
    char own[MAX_PATH];
    snprintf(own, sizeof own, "%s", name + 1);
    snprintf(name + 1, (size_t)(path + MAX_PATH - name - 1), "tool-log.txt");
    FILE* log = fopen(path, "ab");
    if (log == NULL) {
        return 2;
    }
    fputs(own, log);
    for (int i = 1; i < argc; ++i) {
        fprintf(log, " %s", argv[i]);
    }
    fputs("\n", log);
    fclose(log);
    if (argc > 1 && strcmp(argv[1], "devices") == 0) {
        puts("List of devices attached\n");
    }
    return 0;
}
