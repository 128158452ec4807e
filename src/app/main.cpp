// Entry point of lv.exe. The application object takes over from here once
// it exists; until then the program only reports that it started.

#include <cstdio>

int main()
{
    std::puts("Lumivex");
    return 0;
}
