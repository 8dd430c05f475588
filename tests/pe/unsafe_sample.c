/* A program built the unsafe way on purpose, so the PE checks show that they catch it: it imports
   winmm (no KnownDLL) and is linked without ASLR, DEP or high-entropy ASLR. */
#include <windows.h>
#include <mmsystem.h>

int main(void) { return (int)(timeGetTime() & 1u); }
