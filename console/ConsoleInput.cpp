// ConsoleInput: the console's input read in batches and decoded: key codes,
// the modifier flags and the mouse state.
#include "Input.h"

#include "Screen.h"

InputState Input;

namespace {

const int BatchSize = InputState::BatchSize;

// Console input calls that failed in a row. The console's input calls do not
// fail now and then: they fail when the handle or the console is gone. Five
// failures 20 ms apart (a tenth of a second, well below what a user notices)
// ride out a passing fault; after that the input counts as lost.
const int LastingFailure = 5;
const DWORD FailurePause = 20;

// The decoding state is tried ahead on a batch and put back: only records a
// read returned change it for good.
DecodeState SaveDecodeState() {
    return Input;
}

void RestoreDecodeState(const DecodeState &S) {
    static_cast<DecodeState &>(Input) = S;
}

// A record taken from the console: the modifiers, the key, the mouse.
int Decode(const INPUT_RECORD &Record) {
    FollowModifiers(Record, Input);
    const int Code = TranslateKey(Record, Input, Screen.NotNT, Screen.OutputCodePage);
    if (Record.EventType != MOUSE_EVENT) return Code;
    FollowMouse(Record, Input);
    return kbMouse;
}

// On Windows 9x the character in a key event is not always the one typed: the
// character input has the right one and takes the event with it.
bool TakenByCharacterInput(int Code) {
    return Screen.NotNT && (Code == kbBack || (Code >= 32 && Code <= 255));
}

// Counts a failed input call. True once the failures have lasted: the input
// is then lost, the modifiers count as released (a peek ends) and the caller
// gets Esc, which closes what waits for input.
bool InputFailed() {
    if (++Input.FailedCalls >= LastingFailure) {
        Input.FailedCalls = LastingFailure;
        Input.CtrlDown = Input.AltDown = Input.ShiftDown = Input.PeekHeld = false;
        return true;
    }
    Sleep(FailurePause);
    return false;
}

bool ReadOneChar(int &Ch) {
    char Buf = 0;
    DWORD Read = 0;
    if (!ReadConsoleA(Screen.InputHandle, &Buf, 1, &Read, nullptr) || Read != 1) return false;
    Ch = (unsigned char)Buf;
    return true;
}

// A character key at the head of the queue. Nothing is acted on
// unless the character input really took it.
bool ReadCharacterKey(const INPUT_RECORD &Record, int &Result) {
    const DecodeState Before = SaveDecodeState();
    const int Code = Decode(Record);
    int Typed = 0;
    if (!ReadOneChar(Typed)) {
        RestoreDecodeState(Before);
        return false;
    }
    // A 13 delivered for a key other than Enter is skipped.
    if (Typed == 13 && Code != 13 && !ReadOneChar(Typed)) Typed = 0;
    Result = Typed != 0 ? Typed : Code;
    return true;
}

}  // namespace

// The records waiting are peeked as a batch, and as many taken in one read as
// may be: up to and including the first key that hands the input over, and
// before a character key that the character input must take alone. Only what
// the read returned is acted on.
int ReadEvent(bool NoWait, HandOverProc HandsOver) {
    for (;;) {
        if (Input.TakenCount > 0) {
            Input.TakenCount--;
            return Decode(Input.Taken[Input.TakenFirst++]);
        }
        INPUT_RECORD Batch[BatchSize];
        DWORD Count = 0;
        if (!PeekConsoleInputA(Screen.InputHandle, Batch, BatchSize, &Count)) {
            if (InputFailed()) return kbEsc;
            continue;
        }
        if (Count == 0) {
            if (NoWait) {
                Input.FailedCalls = 0;  // polled, and the peek that found nothing worked
                Sleep(20);
                Sleep(20);
                return kbIdle;
            }
            if (!Screen.NotNT) {
                // The read waits for a record itself: a key typed while idle
                // costs one call. One record never goes past a hand-over key.
                DWORD Read = 0;
                if (!ReadConsoleInputA(Screen.InputHandle, Input.Taken, 1, &Read)) {
                    if (InputFailed()) return kbEsc;
                    continue;
                }
                if (Read == 1) {
                    Input.FailedCalls = 0;
                    Input.TakenFirst = 0;
                    Input.TakenCount = 1;
                    continue;
                }
            }
            if (Input.WokenEmpty) Sleep(FailurePause);
            const DWORD Woken = WaitForSingleObject(Screen.InputHandle, INFINITE);
            if (Woken == WAIT_FAILED && InputFailed()) return kbEsc;
            Input.WokenEmpty = Woken == WAIT_OBJECT_0;
            continue;
        }
        Input.WokenEmpty = false;
        Count = DWORD(MinInt(int(Count), BatchSize));

        // What each record will be, decoded with the state it will meet.
        const DecodeState Before = SaveDecodeState();
        DWORD Take = 0;
        bool CharacterKey = false;
        for (DWORD I = 0; I < Count; I++) {
            const int Code = Decode(Batch[I]);
            if (TakenByCharacterInput(Code)) {
                CharacterKey = I == 0;
                break;
            }
            Take = I + 1;
            if (!HandsOver || HandsOver(Code)) break;
        }
        RestoreDecodeState(Before);

        if (CharacterKey) {
            int Result = 0;
            if (ReadCharacterKey(Batch[0], Result)) {
                Input.FailedCalls = 0;
                return Result;
            }
            if (InputFailed()) return kbEsc;
            continue;
        }
        DWORD Read = 0;
        if (!ReadConsoleInputA(Screen.InputHandle, Input.Taken, Take, &Read) || Read == 0) {
            if (InputFailed()) return kbEsc;
            continue;
        }
        Input.FailedCalls = 0;
        Input.TakenFirst = 0;
        Input.TakenCount = int(MinInt(int(Read), int(Take)));
    }
}

bool MousePressed() {
    return MousePressed(Input);
}

bool MouseReleased() {
    return MouseReleased(Input);
}

bool MouseDoubleClick() {
    return MouseDoubleClick(Input);
}

bool MouseDragged() {
    return MouseDragged(Input);
}
