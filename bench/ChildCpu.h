// The CPU time of the finished child processes of a benchmark, every thread
// counted: what a whole run of one of the programs costs.
#pragma once

#include <sys/resource.h>

inline double childCpuMs() {
    rusage r{};
    getrusage(RUSAGE_CHILDREN, &r);
    return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1e3 +
           (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e3;
}
