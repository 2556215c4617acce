/* SPDX-License-Identifier: MIT */
/* Presses Ctrl-C for a program under test: ctrl-c.exe MS "COMMAND LINE" starts
   the command on this console, sends Ctrl-C to the console after MS milliseconds,
   and ends with the command's exit code (99 when it did not end within 20 s).
   Wine delivers console events only to programs on a console: run it under `script`. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: ctrl-c.exe MS \"COMMAND LINE\"\n");
        return 98;
    }
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessA(NULL, argv[2], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "cannot start %s: error %lu\n", argv[2], GetLastError());
        return 98;
    }
    Sleep((DWORD)atoi(argv[1]));
    SetConsoleCtrlHandler(NULL, TRUE); /* the Ctrl-C is the command's, not ours */
    if (!GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) {
        fprintf(stderr, "GenerateConsoleCtrlEvent failed: error %lu\n", GetLastError());
    }
    DWORD code = 99;
    if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 99);
    }
    return (int)code;
}
