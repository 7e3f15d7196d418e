// A program's command line taken apart as Windows programs do it, enough
// for ce-start's and the tests': arguments separated by blanks, quotes
// around those that hold any. Header-only, no library.
#ifndef KUBRELSE_HANDSET_WINE_COMMAND_LINE_H
#define KUBRELSE_HANDSET_WINE_COMMAND_LINE_H

#include <windows.h>

// The text after the argument at text and the blanks behind it.
inline LPWSTR pastArgument(LPWSTR text)
{
    int quoted = 0;
    for (; *text && (quoted || (*text != L' ' && *text != L'\t')); ++text)
        quoted ^= *text == L'"';
    while (*text == L' ' || *text == L'\t')
        ++text;
    return text;
}

// The argument at text, its quotes taken out, into to.
inline void copyArgument(LPCWSTR text, LPWSTR to, int room)
{
    int quoted = 0, n = 0;
    for (; *text && (quoted || (*text != L' ' && *text != L'\t')) && n < room - 1; ++text)
        if (*text == L'"')
            quoted ^= 1;
        else
            to[n++] = *text;
    to[n] = L'\0';
}

#endif
