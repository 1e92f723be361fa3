// Far3Messages: GetMsg by number.
#include "Far3Messages.h"

#include "Far3Guids.h"
#include "Far3Host.h"

const wchar_t *Far3Msg(MsgId Id)
{
    const wchar_t *Text = Far3Info.GetMsg ? Far3Info.GetMsg(&QuorrelGuid, Id) : nullptr;
    return Text ? Text : L"";
}
