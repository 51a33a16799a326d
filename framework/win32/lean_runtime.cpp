// What a shipped program does when the C++ run-time meets a fault it cannot go on from: an
// exception nothing catches, or a misuse of the standard library that only a bug can cause (a
// position past a string's end, a length beyond the largest). The run-time's own handlers name
// the exception through a demangler and build std::logic_error and its kind, with a second string
// implementation behind them: together a sixth of a program. These end the program as abort
// does, with the same exit code; running out of memory still throws std::bad_alloc.
#include <cstdlib>
#include <new>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc() {
    throw bad_alloc();
}

void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}

void __throw_bad_function_call() {
    abort();
}

void __throw_logic_error(const char*) {
    abort();
}

void __throw_length_error(const char*) {
    abort();
}

void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}

}  // namespace std
