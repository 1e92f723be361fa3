// Box: framed boxes with a drop shadow and a centred title, drawn into the
// screen's drawing image.
#ifndef QUORREL_BOX_H
#define QUORREL_BOX_H

#include <windows.h>

#include <string>

// Draws the shadow, the blank fill, the frame (single, or double and inset
// by Inset columns and one row) and the title, and leaves the origin of
// relative text positions at the frame's top-left corner.
void DrawBox(int X1, int Y1, int X2, int Y2, int Inset, WORD FillAttr, WORD FrameAttr,
             WORD TitleAttr, const std::string &Title);
void DrawShadow();
void FillBox(WORD Attr);
void DrawFrame(int Inset, WORD FrameAttr, WORD TitleAttr, const std::string &Title);
// Code page 437 box drawing: top-left, top-right, horizontal, vertical,
// bottom-left, bottom-right; single line first, then double line.
extern const unsigned char FrameChars[12];

#endif
