// Far3Messages: GetMsg by number.
#include "Far3Messages.h"

#include "Far3Guids.h"
#include "Far3Host.h"

const wchar_t *Far3Msg(int Number)
{
    const FARAPIGETMSG GetMsg = Far3Info.GetMsg;
    const wchar_t *Text = GetMsg ? GetMsg(&QuorrelGuid, Number) : nullptr;
    return Text ? Text : L"";
}
