// Far3CodePages: the code tables of the Far 3 edition are the system's
// single-byte code pages: the console's OEM page first, the ANSI page
// second, then every other one the system has, by number. Each cell is the
// page's character for that byte; on the OEM page the control codes 0-31
// and 127 are the glyphs the console shows for them.
#ifndef QUORREL_FAR3CODEPAGES_H
#define QUORREL_FAR3CODEPAGES_H

#include <windows.h>

#include <string>
#include <vector>

struct Far3CodePage {
    UINT CodePage;
    std::wstring Name;  // as Windows names it (CPINFOEXW's CodePageName)
    wchar_t Cells[256];
};

// The list as the system has it now. The OEM and the ANSI page stand first
// only where they are single-byte pages (a system set to UTF-8 has neither),
// each once. Pages whose conversion fails are left out.
std::vector<Far3CodePage> BuildFar3CodePages();

// The index of the page with that number, or -1.
int FindFar3CodePage(const std::vector<Far3CodePage> &Pages, UINT CodePage);
// The lowest code whose cell shows Char, or -1.
int FindFar3Cell(const Far3CodePage &Page, wchar_t Char);

#endif
