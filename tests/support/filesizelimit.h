#pragma once

#include <csignal>
#include <sys/resource.h>

// A limit on the size of any file this process writes, as a full disk stops a write, lifted again
// when it goes; the signal the limit sends is ignored, as the program ignores it.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit limited{bytes ? bytes : before.rlim_cur, before.rlim_max};
        active = bytes && setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &before); }
    rlimit before{};
    bool active = false;
};
