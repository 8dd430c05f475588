/* planted_probe NAME: loads the DLL NAME as a careless program would (the program's folder first),
   so the planted-DLL test can see that its planted files and overrides take effect at all. */
#include <windows.h>

int wmain(int argc, wchar_t** argv) { return argc == 2 && LoadLibraryW(argv[1]) ? 0 : 1; }
