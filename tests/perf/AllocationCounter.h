#pragma once

// Counts the heap allocations made while a piece of code runs. This
// executable replaces the global operator new and, outside AddressSanitizer
// (which owns malloc itself), malloc, calloc and realloc too.

namespace allocations {

struct Counts {
    long operatorNew = 0;
    long malloc = 0;  // includes the mallocs behind operator new

    long total() const { return operatorNew + malloc; }
};

// Whether malloc and its relatives are counted in this build.
bool countsMalloc();

void start();
Counts stop();

template <typename Code> Counts during(Code&& code)
{
    start();
    code();
    return stop();
}

}  // namespace allocations
