#include "platform/gfx/FontLock.h"

namespace plat {

std::mutex& FontMutex()
{
    static std::mutex mutex;
    return mutex;
}

}
