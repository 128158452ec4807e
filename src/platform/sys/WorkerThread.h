#pragma once

// Worker threads: a procedure with one pointer argument, started detached.
// Workers never touch windows; they post to the user-interface thread.

namespace plat {

using ThreadProc = unsigned (*)(void* param);

// Starts proc(param) on a new detached thread. False when the thread could
// not be created (proc is then never called).
bool BeginThread(ThreadProc proc, void* param);

}
