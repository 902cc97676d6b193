// The errors the standard containers and strings raise (a size beyond
// what they can hold, an index out of range, a null text): thrown as
// std::bad_alloc, which every place that catches them takes as "could not
// be done". libstdc++'s own raisers, linked statically, would each build a
// message in a second copy of std::string (the old reference-counted one,
// with its random device) and cost the program 36 KB it has no use for.
// Only the program links this file: its module tests keep libstdc++'s.
#include <new>

namespace std {

[[noreturn]] void __throw_bad_alloc()
{
    throw bad_alloc();
}

[[noreturn]] void __throw_bad_array_new_length()
{
    throw bad_alloc();
}

[[noreturn]] void __throw_length_error(const char*)
{
    throw bad_alloc();
}

[[noreturn]] void __throw_logic_error(const char*)
{
    throw bad_alloc();
}

[[noreturn]] void __throw_out_of_range(const char*)
{
    throw bad_alloc();
}

[[noreturn]] void __throw_out_of_range_fmt(const char*, ...)
{
    throw bad_alloc();
}

}  // namespace std
