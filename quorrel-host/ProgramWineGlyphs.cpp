// A Windows console draws every byte of code page 437 as a glyph, control
// codes included (0x01 is a smiling face). Wine's terminal console passes
// bytes 0-31 and 127 to the terminal as control characters instead: the
// chart's first row turns into cursor moves, line feeds and bells, and the
// screen drifts. Under Wine the host therefore writes cells as the glyphs a
// Windows console would show, for its own screen and, through the plugin's
// import of WriteConsoleOutputA, for the plugin's; a scripted run waiting
// for keys shows the chart as an interactive one does. The plugin itself is
// unchanged, and the cells read back as the bytes written: Wine's console
// gives each glyph's byte of the code page to ReadConsoleOutputA.
#include "Program.h"

#ifdef _WIN32

#include <cstring>
#include <vector>

namespace {

const wchar_t ControlGlyphs[32] = {
    L' ',    0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};
const wchar_t HouseGlyph = 0x2302;  // 127

BOOL WINAPI WriteCellsAsGlyphs(HANDLE Output, const CHAR_INFO *Cells, COORD Size, COORD Origin,
                               PSMALL_RECT Region)
{
    if (Size.X <= 0 || Size.Y <= 0)
        return WriteConsoleOutputA(Output, Cells, Size, Origin, Region);
    const UINT CodePage = GetConsoleOutputCP();
    std::vector<CHAR_INFO> Wide(size_t(Size.X) * size_t(Size.Y));
    for (size_t I = 0; I < Wide.size(); I++) {
        const unsigned char Byte = static_cast<unsigned char>(Cells[I].Char.AsciiChar);
        wchar_t Ch = L'?';
        if (Byte < 32)
            Ch = ControlGlyphs[Byte];
        else if (Byte == 127)
            Ch = HouseGlyph;
        else
            MultiByteToWideChar(CodePage, 0, reinterpret_cast<const char *>(&Byte), 1, &Ch, 1);
        Wide[I].Char.UnicodeChar = Ch;
        Wide[I].Attributes = Cells[I].Attributes;
    }
    return WriteConsoleOutputW(Output, Wide.data(), Size, Origin, Region);
}

// Points the module's import of Dll!Name at Replacement.
void RedirectImport(HMODULE Module, const char *Dll, const char *Name, void *Replacement)
{
    BYTE *Base = reinterpret_cast<BYTE *>(Module);
    const IMAGE_DOS_HEADER *Dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(Base);
    const IMAGE_NT_HEADERS *Nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(Base + Dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &Imports =
        Nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!Imports.VirtualAddress) return;
    for (const IMAGE_IMPORT_DESCRIPTOR *Desc =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(Base + Imports.VirtualAddress);
         Desc->Name; Desc++) {
        if (lstrcmpiA(reinterpret_cast<const char *>(Base + Desc->Name), Dll) != 0) continue;
        DWORD NamesAt = Desc->OriginalFirstThunk ? Desc->OriginalFirstThunk : Desc->FirstThunk;
        IMAGE_THUNK_DATA *Names = reinterpret_cast<IMAGE_THUNK_DATA *>(Base + NamesAt);
        IMAGE_THUNK_DATA *Slots = reinterpret_cast<IMAGE_THUNK_DATA *>(Base + Desc->FirstThunk);
        for (; Names->u1.AddressOfData; Names++, Slots++) {
            if (IMAGE_SNAP_BY_ORDINAL(Names->u1.Ordinal)) continue;
            const IMAGE_IMPORT_BY_NAME *ByName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(Base + Names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(ByName->Name), Name) != 0) continue;
            DWORD Old = 0;
            if (!VirtualProtect(&Slots->u1.Function, sizeof(Slots->u1.Function), PAGE_READWRITE,
                                &Old))
                return;
            Slots->u1.Function = reinterpret_cast<ULONG_PTR>(Replacement);
            VirtualProtect(&Slots->u1.Function, sizeof(Slots->u1.Function), Old, &Old);
        }
    }
}

}  // namespace

void ShowControlGlyphsUnderWine(void *PluginModule)
{
    if (!RunningUnderWine()) return;
    HostSetCellWriter(WriteCellsAsGlyphs);
    if (PluginModule)
        RedirectImport(static_cast<HMODULE>(PluginModule), "kernel32.dll", "WriteConsoleOutputA",
                       reinterpret_cast<void *>(WriteCellsAsGlyphs));
}

#else

void ShowControlGlyphsUnderWine(void *) {}

#endif
