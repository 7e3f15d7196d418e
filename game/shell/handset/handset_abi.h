// The check that every call into the handset's libraries passes only what
// the handset's calling convention and the compiler's agree on: no
// structure and no 64-bit value by value, either way. The handset returns
// every structure through a hidden pointer and puts a 64-bit argument in
// the next two registers, where the compiler returns a small structure in
// a register and starts a 64-bit argument on an even one. Each function is
// checked by a static_assert written from the list of the handset's calls
// (cmake/HandsetCalls.cmake), so the handset build stops on any that would
// be called wrongly.
#ifndef KUBRELSE_SHELL_HANDSET_HANDSET_ABI_H
#define KUBRELSE_SHELL_HANDSET_HANDSET_ABI_H

#include <windows.h>
#include <mmsystem.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include "handset_shell.h"

template <typename T>
constexpr bool plainWord()
{
    return !__is_class(T) && !__is_union(T) && sizeof(T) <= 4;
}

template <>
constexpr bool plainWord<void>()
{
    return true;
}

template <typename Result, typename... Arguments>
constexpr bool handsetAbi(Result (*)(Arguments...))
{
    return plainWord<Result>() && (plainWord<Arguments>() && ... && true);
}

#endif
