// ce-start.exe [--away] IMAGE [ARGUMENTS]: starts a handset program as the
// handset does. Wine would call the entry of a main program with one
// argument, the process's own record, where the handset calls it as
// WinMain(instance, NULL, command line, show); so the image is loaded as a
// module of this process instead, and its bytes stay as they are. Wine's
// loader maps its sections wherever it finds room (this Wine neither
// relocates nor binds a program loaded so); ce-start then does what the
// handset's loader does: applies the image's base relocations (HIGHLOW,
// the one kind the image holds) where it is not at its preferred base,
// and binds its imports by name from the libraries the image names
// (coredll.dll and aygshell.dll, found beside ce-start); a name a library
// lacks stops the start, where the handset would leave the slot 0. Then
// the entry is called as the handset calls it, with ARGUMENTS, and its
// result ends the process.
//
// --away first reserves the addresses the image prefers, so that the image
// lands elsewhere whatever the loader would choose.
#include <windows.h>

#include "command_line.h"

namespace {

using WinMainEntry = int (*)(HINSTANCE, HINSTANCE, LPWSTR, int);

void say(const char* text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, lstrlenA(text), &written, nullptr);
}

[[noreturn]] void fail(const char* what)
{
    char line[160];
    wsprintfA(line, "ce-start: %s (error %lu)\n", what, GetLastError());
    say(line);
    ExitProcess(120);
}

const IMAGE_NT_HEADERS32* headersOf(const void* image)
{
    const auto* dos = static_cast<const IMAGE_DOS_HEADER*>(image);
    return reinterpret_cast<const IMAGE_NT_HEADERS32*>(static_cast<const BYTE*>(image) + dos->e_lfanew);
}

// Reserves the addresses path's image prefers, unless something holds
// them already.
void reservePreferredBase(LPCWSTR path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    static BYTE header[4096];
    DWORD got = 0;
    if (file == INVALID_HANDLE_VALUE || !ReadFile(file, header, sizeof header, &got, nullptr) || got < 512)
        fail("cannot read the image's header");
    CloseHandle(file);
    const IMAGE_OPTIONAL_HEADER32& optional = headersOf(header)->OptionalHeader;
    void* preferred = reinterpret_cast<void*>(static_cast<ULONG_PTR>(optional.ImageBase));
    MEMORY_BASIC_INFORMATION there = {};
    if (!VirtualAlloc(preferred, optional.SizeOfImage, MEM_RESERVE, PAGE_NOACCESS) &&
        (!VirtualQuery(preferred, &there, sizeof there) || there.State == MEM_FREE))
        fail("cannot reserve the image's preferred addresses");
}

// Applies image's base relocations where the loader did not (its header's
// ImageBase still the preferred base): each HIGHLOW word gets the distance
// the image lies from where it was linked.
void relocate(HMODULE image)
{
    auto* base = reinterpret_cast<BYTE*>(image);
    auto* optional = const_cast<IMAGE_OPTIONAL_HEADER32*>(&headersOf(image)->OptionalHeader);
    const DWORD delta = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(image)) - optional->ImageBase;
    const IMAGE_DATA_DIRECTORY& directory = optional->DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC];
    if (!delta || !directory.Size)
        return;
    for (DWORD at = 0; at + sizeof(IMAGE_BASE_RELOCATION) <= directory.Size;) {
        auto* block = reinterpret_cast<IMAGE_BASE_RELOCATION*>(base + directory.VirtualAddress + at);
        if (block->SizeOfBlock < sizeof *block)
            fail("a malformed base relocation block");
        const auto* entries = reinterpret_cast<const WORD*>(block + 1);
        const DWORD count = (block->SizeOfBlock - sizeof *block) / sizeof(WORD);
        // Each word lies inside the block's page: the image's relocated
        // words are 4-byte aligned.
        BYTE* page = base + block->VirtualAddress;
        DWORD kept = 0;
        VirtualProtect(page, 0x1000, PAGE_EXECUTE_READWRITE, &kept);
        for (DWORD i = 0; i < count; ++i) {
            const int kind = entries[i] >> 12;
            if (kind == IMAGE_REL_BASED_HIGHLOW && (entries[i] & 3) == 0)
                *reinterpret_cast<DWORD*>(page + (entries[i] & 0xFFF)) += delta;
            else if (kind != IMAGE_REL_BASED_ABSOLUTE)
                fail("a base relocation of a kind or place the handset's image never holds");
        }
        VirtualProtect(page, 0x1000, kept, &kept);
        at += block->SizeOfBlock;
    }
    DWORD kept = 0;
    VirtualProtect(optional, sizeof *optional, PAGE_READWRITE, &kept);
    optional->ImageBase += delta;
    VirtualProtect(optional, sizeof *optional, kept, &kept);
    FlushInstructionCache(GetCurrentProcess(), base, optional->SizeOfImage);
}

// Writes the address of every import of image into its slot.
void bindImports(HMODULE image)
{
    auto* base = reinterpret_cast<BYTE*>(image);
    const IMAGE_DATA_DIRECTORY& directory =
        headersOf(image)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.Size)
        return;
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         library->Name; ++library) {
        const char* name = reinterpret_cast<const char*>(base + library->Name);
        HMODULE module = LoadLibraryA(name);
        if (!module)
            fail(name);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA32*>(base + library->FirstThunk);
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA32*>(
            base + (library->OriginalFirstThunk ? library->OriginalFirstThunk : library->FirstThunk));
        for (; names->u1.AddressOfData; ++slot, ++names) {
            const DWORD entry = names->u1.AddressOfData;
            const char* symbol = (entry & IMAGE_ORDINAL_FLAG32)
                                     ? reinterpret_cast<const char*>(static_cast<ULONG_PTR>(entry & 0xFFFF))
                                     : reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + entry)->Name;
            FARPROC address = GetProcAddress(module, symbol);
            if (!address) {
                char line[160];
                wsprintfA(line, "%s lacks %s", name, (entry & IMAGE_ORDINAL_FLAG32) ? "an ordinal" : symbol);
                fail(line);
            }
            DWORD kept = 0;
            VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &kept);
            slot->u1.Function = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(address));
            VirtualProtect(slot, sizeof *slot, kept, &kept);
        }
    }
}

}  // namespace

extern "C" void ceStart()
{
    LPWSTR line = pastArgument(GetCommandLineW());
    const int away = line[0] == L'-' && line[1] == L'-';
    if (away)
        line = pastArgument(line);
    static wchar_t path[MAX_PATH];
    copyArgument(line, path, MAX_PATH);
    if (!path[0])
        fail("usage: ce-start [--away] IMAGE [ARGUMENTS]");
    if (away)
        reservePreferredBase(path);
    HMODULE image = LoadLibraryExW(path, nullptr, 0);
    if (!image)
        fail("the loader refused the image");
    relocate(image);
    bindImports(image);
    const auto entry = reinterpret_cast<WinMainEntry>(reinterpret_cast<ULONG_PTR>(image) +
                                                      headersOf(image)->OptionalHeader.AddressOfEntryPoint);
    STARTUPINFOW startup = {};
    GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWNORMAL;
    ExitProcess(static_cast<UINT>(entry(reinterpret_cast<HINSTANCE>(image), nullptr, pastArgument(line), show)));
}
