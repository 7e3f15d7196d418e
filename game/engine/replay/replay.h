// The replay's two halves: the games (replay.cpp) and what lies below them,
// the C library natively or freestanding.cpp on the handset's processor.
#ifndef KUBRELSE_ENGINE_REPLAY_REPLAY_H
#define KUBRELSE_ENGINE_REPLAY_REPLAY_H

#include <cstring>

// Plays the games, prints the one line and returns the exit status.
int runReplay();

// The POSIX write: the C library's natively, a system call on the handset's
// processor.
extern "C" long write(int fd, const void* data, std::size_t size);

#endif
