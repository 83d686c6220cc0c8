// The C boundary of the interface library: each export translates its
// arguments and calls the library's C++ code.
#include "kbxi32.h"
