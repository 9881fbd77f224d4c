#pragma once

#include <chrono>
#include <functional>

// Runs `lavoro` on a thread of its own while the calling thread's event loop goes on, so that the
// window keeps repainting and answering the desktop however long the work waits on a printer or a disk.
// Returns true once `lavoro` has ended, false when `limite` passed first: the thread is then left to end
// by itself, and deletes itself when it does. While `proroga` says so when the limit comes, the wait goes
// on for another `limite`, up to `massimo`. Input events are delivered meanwhile; the caller decides what
// they may do.
bool eseguiInSottofondo(std::function<void()> lavoro, std::chrono::milliseconds limite,
                        std::function<bool()> proroga = {}, std::chrono::milliseconds massimo = {});
