#pragma once
// Compiler hints used on the hot roads of the conversion.

// Keeps a rarely taken road out of its caller, so that the usual road does
// not pay for the registers and stack the rare one needs.
#if defined(_MSC_VER)
#define DORVAX_NOINLINE __declspec(noinline)
#else
#define DORVAX_NOINLINE __attribute__((noinline))
#endif
