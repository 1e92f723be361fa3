// How the C++ run-time's failures end the release DLLs, in less room: linked
// into the 32-bit Quorrel.dll and the Far 3 edition's far3/Quorrel.dll only
// (never into the test programs, whose failures should say what they were).
//
// Nothing in the plugin catches an exception, and Far's own frames have no
// unwind tables, so any exception we throw ends in std::terminate and abort.
// The run-time's own versions of the functions below come with about 130 KB:
// the verbose terminate handler with the C++ demangler and MinGW's printf,
// and the std::logic_error family with the old copy-on-write std::string
// that their messages live in. These end the process just the same, without
// the message on Far's screen. Should the plugin ever catch a std::logic_error
// (or std::length_error, std::out_of_range), this file must go.
#include <cstdlib>
#include <exception>
#include <new>
#include <bits/functexcept.h>

namespace __gnu_cxx {

// The default terminate handler.
void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx

namespace std {

// Thrown by std::string and std::vector on a bad position or size: a bug, as
// the std::logic_error they would throw says.
void __throw_logic_error(const char *)
{
    std::terminate();
}

void __throw_length_error(const char *)
{
    std::terminate();
}

void __throw_out_of_range_fmt(const char *, ...)
{
    std::terminate();
}

// Out of memory stays the exception it always was.
void __throw_bad_alloc()
{
    throw std::bad_alloc();
}

// A size past what an array can hold (new[], std::vector's allocator): the
// kind of out of memory it always was. Without it here, the run-time's
// whole set above comes along for this one and clashes with ours.
void __throw_bad_array_new_length()
{
    throw std::bad_array_new_length();
}

} // namespace std
