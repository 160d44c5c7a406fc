#include "dialogs/win/ThumbWorkerThread.h"

#include <windows.h>

TThumbWorkerThread::TThumbWorkerThread() : TThread(true) { SetPriority(tpLower); }

TThumbWorkerThread::~TThumbWorkerThread() = default;

void TThumbWorkerThread::Execute()
{
    while (!Terminated()) {
        if (!FWork) {
            Sleep(50);
            continue;
        }
        bool OK = FWork;
        Synchronize([&] {
            if (!Terminated()) TakeJob(OK);
            else OK = false;
        });
        FWork = OK;
        if (!OK) continue;
        Render();
        bool Delivered = false;
        Synchronize([&] {
            if (Terminated()) return;
            Deliver();
            Delivered = true;
        });
        if (!Delivered) Discard();
    }
}

void TThumbWorkerThread::Stop()
{
    Terminate();
    if (!Started()) return;
    // The hand-overs it waits for run here; a message another thread sends
    // to this one is answered too.
    while (!Finished()) {
        CheckSynchronize(5);
        MSG Msg;
        PeekMessageW(&Msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    WaitFor();
}
