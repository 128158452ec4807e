#include "platform/sys/WorkerThread.h"

#include <system_error>
#include <thread>

namespace plat {

bool BeginThread(ThreadProc proc, void* param)
{
    if (!proc)
        return false;
    try {
        std::thread([proc, param] { proc(param); }).detach();
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

}
