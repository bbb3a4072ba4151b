/* Stands in for the System Information tool: records that it was started by creating
   started.txt beside itself, then ends. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

int main(void)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    char *folderEnd = strrchr(path, '\\');
    if (length == 0 || length >= MAX_PATH || folderEnd == NULL)
        return 1;
    strcpy(folderEnd + 1, "started.txt");
    FILE *file = fopen(path, "w");
    return file != NULL && fputs("started\n", file) >= 0 && fclose(file) == 0 ? 0 : 1;
}
